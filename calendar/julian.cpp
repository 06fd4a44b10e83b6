#include "calendar/julian.h"

namespace muwu::calendar {

// The day counts follow H. Hinnant's "chrono-Compatible Low-Level Date Algorithms" (public
// domain): years are shifted to begin in March so that the leap day ends the year.
std::int64_t daysFromCivil(CivilDate d) noexcept {
    const std::int64_t y = static_cast<std::int64_t>(d.year) - (d.month <= 2 ? 1 : 0);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (d.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(std::int64_t days) noexcept {
    const std::int64_t z = days + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const auto year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

bool validDate(CivilDate d) noexcept {
    if (d.month < 1 || d.month > 12 || d.day < 1)
        return false;
    return civilFromDays(daysFromCivil(d)) == d;
}

CivilTime civilTimeFromSeconds(std::int64_t seconds) noexcept {
    const std::int64_t days = floorDiv(seconds, 86400);
    const auto rest = static_cast<int>(seconds - days * 86400);
    return {civilFromDays(days), rest / 3600, rest / 60 % 60, rest % 60};
}

std::int64_t secondsFromCivil(const CivilTime& t) noexcept {
    return daysFromCivil(t.date) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace muwu::calendar
