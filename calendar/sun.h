#pragma once
// The Sun as the calendar needs it: its apparent longitude, and the equation of time.

namespace muwu::calendar {

// Apparent geocentric ecliptic longitude of the Sun in degrees [0, 360), referred to the true
// equinox of date, at a Julian day in TT.
[[nodiscard]] double apparentSolarLongitude(double jdTt) noexcept;

// Apparent solar time minus mean solar time, in minutes of time, at a Julian day in TT.
[[nodiscard]] double equationOfTimeMinutes(double jdTt) noexcept;

// Degrees reduced to [0, 360) and to [-180, 180).
[[nodiscard]] double normalizeDegrees(double degrees) noexcept;
[[nodiscard]] double signedDegrees(double degrees) noexcept;

}  // namespace muwu::calendar
