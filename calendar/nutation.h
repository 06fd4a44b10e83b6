#pragma once
// Nutation in longitude and in obliquity, and the obliquity of the ecliptic.

namespace muwu::calendar {

struct Nutation {
    double longitude = 0;  // delta psi, degrees
    double obliquity = 0;  // delta epsilon, degrees
};

// T in Julian centuries of TT from J2000.
[[nodiscard]] Nutation nutation(double t) noexcept;

// Mean obliquity of the ecliptic in degrees.
[[nodiscard]] double meanObliquity(double t) noexcept;

}  // namespace muwu::calendar
