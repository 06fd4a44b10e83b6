#include "calendar/solar_terms.h"

#include <cmath>

#include "calendar/delta_t.h"
#include "calendar/julian.h"
#include "calendar/sun.h"

namespace muwu::calendar {

namespace {

// The Sun's mean motion in degrees per day, for the steps of the search.
constexpr double kMeanMotion = 360.0 / 365.2422;

}  // namespace

double solarLongitudeTimeTt(double longitude, double nearJdTt) noexcept {
    double jd = nearJdTt + signedDegrees(longitude - apparentSolarLongitude(nearJdTt)) / kMeanMotion;
    // The true motion differs from the mean one by under 4%, so each step gains more than a digit;
    // six steps reach a millisecond.
    for (int i = 0; i < 6; ++i) {
        const double step = signedDegrees(longitude - apparentSolarLongitude(jd)) / kMeanMotion;
        jd += step;
        if (std::abs(step) < 1e-8)
            break;
    }
    return jd;
}

double solarTermTt(int year, int index) noexcept {
    // Term `index` falls about 5.5 + 15.2 * index days into the year.
    const double guess = julianDayOf({year, 1, 1}) + 5.5 + 15.22 * index;
    return solarLongitudeTimeTt(termLongitude(index), guess);
}

double solarTermUt(int year, int index) noexcept {
    return utFromTt(solarTermTt(year, index));
}

}  // namespace muwu::calendar
