#pragma once
// Times of new moon.

namespace muwu::calendar {

// Julian day in TT of the new moon of lunation k; lunation 0 is the new moon of 2000-01-06.
[[nodiscard]] double newMoonTt(int k) noexcept;

// The lunation whose new moon is the last one at or before the Julian day (TT).
[[nodiscard]] int lunationAtOrBefore(double jdTt) noexcept;

}  // namespace muwu::calendar
