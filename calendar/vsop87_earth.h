#pragma once
// The Earth's heliocentric ecliptic longitude and radius vector, referred to the mean ecliptic and
// equinox of date, from the VSOP87 theory, version D.
//
// Source of the coefficients: VSOP87D.ear, P. Bretagnon and G. Francou, "Planetary theories in
// rectangular and spherical variables: VSOP87 solutions", Astron. Astrophys. 202, 309 (1988);
// CDS catalogue VI/81. Each term is A cos(B + C tau), tau in Julian millennia of TT from J2000.

namespace muwu::calendar {

// Heliocentric longitude of the Earth in radians (not reduced to one turn).
[[nodiscard]] double earthLongitude(double tau) noexcept;

// Distance from the Sun in astronomical units.
[[nodiscard]] double earthRadius(double tau) noexcept;

}  // namespace muwu::calendar
