#pragma once
// Delta T = TT - UT, the drift of the Earth's rotation against uniform time.

namespace muwu::calendar {

// Delta T in seconds for a decimal year (2000.5 is mid-2000).
[[nodiscard]] double deltaTSeconds(double decimalYear) noexcept;

// Julian day in TT of a Julian day in UT, and back.
[[nodiscard]] double ttFromUt(double jdUt) noexcept;
[[nodiscard]] double utFromTt(double jdTt) noexcept;

}  // namespace muwu::calendar
