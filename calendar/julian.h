#pragma once
// Civil dates of the Gregorian calendar and Julian days. Times inside the calendar library are
// Julian days: UT for the calendar rules and clocks, TT ("JDE") for the astronomy; delta_t.h
// converts between the two.
#include <cstdint>

namespace muwu::calendar {

inline constexpr double kJ2000 = 2451545.0;   // 2000-01-01 12:00 TT
inline constexpr double kUnixEpochJd = 2440587.5;  // 1970-01-01 00:00 UT
inline constexpr double kSecondsPerDay = 86400.0;

struct CivilDate {
    int year = 2000;
    int month = 1;  // 1-12
    int day = 1;    // 1-31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01 of a proleptic Gregorian date (negative before).
[[nodiscard]] std::int64_t daysFromCivil(CivilDate d) noexcept;
[[nodiscard]] CivilDate civilFromDays(std::int64_t days) noexcept;
[[nodiscard]] bool validDate(CivilDate d) noexcept;

// Julian day at 0:00 of the date.
[[nodiscard]] inline double julianDayOf(CivilDate d) noexcept {
    return kUnixEpochJd + static_cast<double>(daysFromCivil(d));
}

// Seconds since 1970-01-01 00:00 on the same time scale as the Julian day, and back.
[[nodiscard]] inline double julianDayFromSeconds(double seconds) noexcept {
    return kUnixEpochJd + seconds / kSecondsPerDay;
}
[[nodiscard]] inline double secondsFromJulianDay(double jd) noexcept {
    return (jd - kUnixEpochJd) * kSecondsPerDay;
}

// The calendar date and the time of day (seconds) of a count of seconds since 1970-01-01 00:00,
// e.g. a local time expressed that way.
struct CivilTime {
    CivilDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
[[nodiscard]] CivilTime civilTimeFromSeconds(std::int64_t seconds) noexcept;
[[nodiscard]] std::int64_t secondsFromCivil(const CivilTime& t) noexcept;

// Floor division, for counts that may be negative.
[[nodiscard]] constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) noexcept {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
[[nodiscard]] constexpr std::int64_t floorMod(std::int64_t a, std::int64_t b) noexcept {
    return a - floorDiv(a, b) * b;
}

}  // namespace muwu::calendar
