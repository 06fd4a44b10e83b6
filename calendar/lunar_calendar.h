#pragma once
// The Chinese lunar calendar built from the new moons and the solar terms, with the rules of the
// national standard: a month begins on the day (UTC+8) of a new moon; the month holding 冬至 is
// the eleventh; in a span of 13 months from one eleventh month to the next, the first month
// without a principal term (中气) is the leap month and repeats the number before it.
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/julian.h"

namespace muwu::calendar {

struct LunarMonth {
    int year = 0;     // the lunar year, named by the Gregorian year its first month falls in
    int number = 1;   // 1-12
    bool leap = false;
    std::int64_t firstDay = 0;  // days since 1970-01-01, at UTC+8
    int length = 30;            // 29 or 30
};

struct LunarDate {
    int year = 0;
    int month = 1;
    bool leap = false;
    int day = 1;  // 1-30
    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// The day (UTC+8) of a moment given as a Julian day in UT, as days since 1970-01-01.
[[nodiscard]] std::int64_t chinaDayOf(double jdUt) noexcept;

// The months from the eleventh month of the lunar year before `year` up to, not including, the
// eleventh month of `year`: 12 or 13 months.
[[nodiscard]] std::vector<LunarMonth> monthsBetweenWinterSolstices(int year);

// The lunar date of a day (days since 1970-01-01; the civil date in China).
[[nodiscard]] LunarDate lunarDateOf(std::int64_t chinaDay);

// The Gregorian date of the first day of lunar year `year` (春节).
[[nodiscard]] CivilDate lunarNewYear(int year);

// The leap month of lunar year `year`, or 0 when it has none.
[[nodiscard]] int leapMonthOf(int year);

// "闰四月廿三", "正月初一".
[[nodiscard]] std::u16string lunarMonthDayText(const LunarDate& d);

}  // namespace muwu::calendar
