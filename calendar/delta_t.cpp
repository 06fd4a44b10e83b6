// Delta T from the polynomial expressions of F. Espenak and J. Meeus, "Five Millennium Canon of
// Solar Eclipses: -1999 to +3000" (NASA/TP-2006-214141), section 2.6, as published on NASA's
// eclipse web site ("Polynomial Expressions for Delta T"). Past years follow the observed values
// to about a second; years after 2005 are the canon's extrapolation.
#include "calendar/delta_t.h"

#include <cmath>

#include "calendar/julian.h"

namespace muwu::calendar {

double deltaTSeconds(double y) noexcept {
    if (y < 1800 || y >= 2150) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 - 0.332447 * t + 0.0068612 * t * t + 0.0041116 * t * t * t -
               0.00037436 * std::pow(t, 4) + 0.0000121272 * std::pow(t, 5) -
               0.0000001699 * std::pow(t, 6) + 0.000000000875 * std::pow(t, 7);
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t -
               0.0004473624 * std::pow(t, 4) + std::pow(t, 5) / 233174;
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
               0.000197 * std::pow(t, 4);
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
               0.000651814 * std::pow(t, 4) + 0.00002373599 * std::pow(t, 5);
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

namespace {

double decimalYear(double jd) noexcept {
    return 2000.0 + (jd - kJ2000) / 365.2425;
}

}  // namespace

double ttFromUt(double jdUt) noexcept {
    return jdUt + deltaTSeconds(decimalYear(jdUt)) / kSecondsPerDay;
}

double utFromTt(double jdTt) noexcept {
    // Delta T changes by well under a second a year, so one refinement is exact enough.
    const double guess = jdTt - deltaTSeconds(decimalYear(jdTt)) / kSecondsPerDay;
    return jdTt - deltaTSeconds(decimalYear(guess)) / kSecondsPerDay;
}

}  // namespace muwu::calendar
