// The Sun's apparent longitude after J. Meeus, "Astronomical Algorithms", 2nd ed., chapter 25
// ("higher accuracy"): the Earth's heliocentric longitude from VSOP87D (vsop87_earth.cpp) turned
// by 180 degrees, the conversion to the FK5 system (equation 32.3), nutation in longitude
// (nutation.cpp), the annual aberration -20.4898"/R, and the IAU 2000 correction of the rate of
// precession (IERS Conventions 2003, section 5.5.1). The equation of time is Meeus' equation
// 28.3 with the Sun's mean longitude of equation 28.2.
#include "calendar/sun.h"

#include <cmath>
#include <numbers>

#include "calendar/julian.h"
#include "calendar/nutation.h"
#include "calendar/vsop87_earth.h"

namespace muwu::calendar {

namespace {

constexpr double kDegree = 180 / std::numbers::pi;
constexpr double kRadian = std::numbers::pi / 180;

}  // namespace

double normalizeDegrees(double degrees) noexcept {
    const double r = std::fmod(degrees, 360.0);
    return r < 0 ? r + 360.0 : r;
}

double signedDegrees(double degrees) noexcept {
    const double r = normalizeDegrees(degrees);
    return r >= 180.0 ? r - 360.0 : r;
}

double apparentSolarLongitude(double jdTt) noexcept {
    const double tau = (jdTt - kJ2000) / 365250.0;
    const double t = tau * 10;
    const double geometric = earthLongitude(tau) * kDegree + 180.0;
    // FK5: only the constant part; the latitude term is below 0.0001" for the Sun.
    const double fk5 = -0.09033 / 3600.0;
    const double aberration = -20.4898 / 3600.0 / earthRadius(tau);
    // The equinox of date moves as the IAU 2006 precession has it, 0.29965" a century slower
    // than the older constant behind VSOP87's equinox of date; almanacs use the newer one.
    const double precession = -0.29965 / 3600.0 * t;
    return normalizeDegrees(geometric + fk5 + precession + nutation(t).longitude + aberration);
}

double equationOfTimeMinutes(double jdTt) noexcept {
    const double tau = (jdTt - kJ2000) / 365250.0;
    const double t = tau * 10;
    const double meanLongitude = 280.4664567 + 360007.6982779 * tau + 0.03032028 * tau * tau +
                                 tau * tau * tau / 49931 - std::pow(tau, 4) / 15300 -
                                 std::pow(tau, 5) / 2000000;
    const Nutation n = nutation(t);
    const double epsilon = (meanObliquity(t) + n.obliquity) * kRadian;
    const double lambda = apparentSolarLongitude(jdTt) * kRadian;
    const double alpha = std::atan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda)) * kDegree;
    const double e = meanLongitude - 0.0057183 - alpha + n.longitude * std::cos(epsilon);
    return signedDegrees(e) * 4.0;  // one degree is four minutes of time
}

}  // namespace muwu::calendar
