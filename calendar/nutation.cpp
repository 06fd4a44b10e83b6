// Nutation from the IAU 1980 theory (P. K. Seidelmann, "1980 IAU Theory of Nutation", Celestial
// Mechanics 27, 79 (1982)), in the arrangement of J. Meeus, "Astronomical Algorithms", 2nd ed.,
// chapter 22 and table 22.A (fundamental arguments, coefficients in units of 0.0001"). The terms
// below 0.0015" are left out: together they stay under 0.01", a fifth of a second of the Sun's
// motion. The mean obliquity is Meeus' equation 22.2 (IAU 1976).
#include "calendar/nutation.h"

#include <cmath>
#include <numbers>

namespace muwu::calendar {

namespace {

struct Term {
    signed char d, m, mp, f, om;  // multiples of D, M, M', F, Omega
    double psi, psiT;             // sine coefficient of delta psi and its change per century
    double eps, epsT;             // cosine coefficient of delta epsilon
};

constexpr Term kTerms[] = {
    {0, 0, 0, 0, 1, -171996, -174.2, 92025, 8.9},
    {-2, 0, 0, 2, 2, -13187, -1.6, 5736, -3.1},
    {0, 0, 0, 2, 2, -2274, -0.2, 977, -0.5},
    {0, 0, 0, 0, 2, 2062, 0.2, -895, 0.5},
    {0, 1, 0, 0, 0, 1426, -3.4, 54, -0.1},
    {0, 0, 1, 0, 0, 712, 0.1, -7, 0},
    {-2, 1, 0, 2, 2, -517, 1.2, 224, -0.6},
    {0, 0, 0, 2, 1, -386, -0.4, 200, 0},
    {0, 0, 1, 2, 2, -301, 0, 129, -0.1},
    {-2, -1, 0, 2, 2, 217, -0.5, -95, 0.3},
    {-2, 0, 1, 0, 0, -158, 0, 0, 0},
    {-2, 0, 0, 2, 1, 129, 0.1, -70, 0},
    {0, 0, -1, 2, 2, 123, 0, -53, 0},
    {2, 0, 0, 0, 0, 63, 0, 0, 0},
    {0, 0, 1, 0, 1, 63, 0.1, -33, 0},
    {2, 0, -1, 2, 2, -59, 0, 26, 0},
    {0, 0, -1, 0, 1, -58, -0.1, 32, 0},
    {0, 0, 1, 2, 1, -51, 0, 27, 0},
    {-2, 0, 2, 0, 0, 48, 0, 0, 0},
    {0, 0, -2, 2, 1, 46, 0, -24, 0},
    {2, 0, 0, 2, 2, -38, 0, 16, 0},
    {0, 0, 2, 2, 2, -31, 0, 13, 0},
    {0, 0, 2, 0, 0, 29, 0, 0, 0},
    {-2, 0, 1, 2, 2, 29, 0, -12, 0},
    {0, 0, 0, 2, 0, 26, 0, 0, 0},
    {-2, 0, 0, 2, 0, -22, 0, 0, 0},
    {0, 0, -1, 2, 1, 21, 0, -10, 0},
    {0, 2, 0, 0, 0, 17, -0.1, 0, 0},
    {2, 0, -1, 0, 1, 16, 0, -8, 0},
    {-2, 2, 0, 2, 2, -16, 0.1, 7, 0},
    {0, 1, 0, 0, 1, -15, 0, 9, 0},
};

constexpr double kRadian = std::numbers::pi / 180;

}  // namespace

Nutation nutation(double t) noexcept {
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double d = 297.85036 + 445267.111480 * t - 0.0019142 * t2 + t3 / 189474;
    const double m = 357.52772 + 35999.050340 * t - 0.0001603 * t2 - t3 / 300000;
    const double mp = 134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250;
    const double f = 93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270;
    const double om = 125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000;
    double psi = 0;
    double eps = 0;
    for (const Term& k : kTerms) {
        const double arg = (k.d * d + k.m * m + k.mp * mp + k.f * f + k.om * om) * kRadian;
        psi += (k.psi + k.psiT * t) * std::sin(arg);
        eps += (k.eps + k.epsT * t) * std::cos(arg);
    }
    return {psi / 36000000.0, eps / 36000000.0};
}

double meanObliquity(double t) noexcept {
    const double seconds = 21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813));
    return 23.0 + (26.0 + seconds / 60.0) / 60.0;
}

}  // namespace muwu::calendar
