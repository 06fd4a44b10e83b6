// New moons from J. Meeus, "Astronomical Algorithms", 2nd ed., chapter 49 ("Phases of the
// Moon"): the mean phase of equation 49.1, the periodic terms for the new moon and the fourteen
// additional planetary corrections A1-A14, all coefficients from that chapter (derived by Meeus
// from the ELP-2000/82 lunar theory). Checked against conjunctions computed from an independent
// lunar ephemeris over 1900-2100 (see tests/calendar/data/new_moons.tsv).
#include "calendar/new_moon.h"

#include <cmath>
#include <numbers>

#include "calendar/julian.h"

namespace muwu::calendar {

namespace {

constexpr double kRadian = std::numbers::pi / 180;
constexpr double kSynodicMonth = 29.530588861;

double sinDeg(double degrees) noexcept {
    return std::sin(degrees * kRadian);
}

}  // namespace

double newMoonTt(int lunation) noexcept {
    const double k = lunation;
    const double t = k / 1236.85;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    const double mean = 2451550.09766 + kSynodicMonth * k + 0.00015437 * t2 - 0.000000150 * t3 +
                        0.00000000073 * t4;
    const double e = 1 - 0.002516 * t - 0.0000074 * t2;
    const double m = 2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3;
    const double mp =
        201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4;
    const double f =
        160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4;
    const double om = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3;

    const double periodic =
        -0.40720 * sinDeg(mp) + 0.17241 * e * sinDeg(m) + 0.01608 * sinDeg(2 * mp) +
        0.01039 * sinDeg(2 * f) + 0.00739 * e * sinDeg(mp - m) - 0.00514 * e * sinDeg(mp + m) +
        0.00208 * e * e * sinDeg(2 * m) - 0.00111 * sinDeg(mp - 2 * f) -
        0.00057 * sinDeg(mp + 2 * f) + 0.00056 * e * sinDeg(2 * mp + m) - 0.00042 * sinDeg(3 * mp) +
        0.00042 * e * sinDeg(m + 2 * f) + 0.00038 * e * sinDeg(m - 2 * f) -
        0.00024 * e * sinDeg(2 * mp - m) - 0.00017 * sinDeg(om) - 0.00007 * sinDeg(mp + 2 * m) +
        0.00004 * sinDeg(2 * mp - 2 * f) + 0.00004 * sinDeg(3 * m) +
        0.00003 * sinDeg(mp + m - 2 * f) + 0.00003 * sinDeg(2 * mp + 2 * f) -
        0.00003 * sinDeg(mp + m + 2 * f) + 0.00003 * sinDeg(mp - m + 2 * f) -
        0.00002 * sinDeg(mp - m - 2 * f) - 0.00002 * sinDeg(3 * mp + m) + 0.00002 * sinDeg(4 * mp);

    const double planetary =
        0.000325 * sinDeg(299.77 + 0.107408 * k - 0.009173 * t2) +
        0.000165 * sinDeg(251.88 + 0.016321 * k) + 0.000164 * sinDeg(251.83 + 26.651886 * k) +
        0.000126 * sinDeg(349.42 + 36.412478 * k) + 0.000110 * sinDeg(84.66 + 18.206239 * k) +
        0.000062 * sinDeg(141.74 + 53.303771 * k) + 0.000060 * sinDeg(207.14 + 2.453732 * k) +
        0.000056 * sinDeg(154.84 + 7.306860 * k) + 0.000047 * sinDeg(34.52 + 27.261239 * k) +
        0.000042 * sinDeg(207.19 + 0.121824 * k) + 0.000040 * sinDeg(291.34 + 1.844379 * k) +
        0.000037 * sinDeg(161.72 + 24.198154 * k) + 0.000035 * sinDeg(239.56 + 25.513099 * k) +
        0.000023 * sinDeg(331.55 + 3.592518 * k);
    return mean + periodic + planetary;
}

int lunationAtOrBefore(double jdTt) noexcept {
    auto k = static_cast<int>(std::floor((jdTt - 2451550.09766) / kSynodicMonth));
    // The true new moon wanders up to about 14 hours from the mean one.
    while (newMoonTt(k + 1) <= jdTt)
        ++k;
    while (newMoonTt(k) > jdTt)
        --k;
    return k;
}

}  // namespace muwu::calendar
