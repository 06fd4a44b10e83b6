#include "calendar/lunar_calendar.h"

#include <array>
#include <cmath>
#include <stdexcept>

#include "calendar/delta_t.h"
#include "calendar/new_moon.h"
#include "calendar/solar_terms.h"

namespace muwu::calendar {

namespace {

constexpr int kWinterSolstice = 23;

std::int64_t newMoonDay(int lunation) {
    return chinaDayOf(utFromTt(newMoonTt(lunation)));
}

// The lunation whose month (by days at UTC+8) holds the day.
int lunationOfDay(std::int64_t day) {
    const double jd = kUnixEpochJd + static_cast<double>(day) + 0.5;
    int k = lunationAtOrBefore(ttFromUt(jd));
    while (newMoonDay(k + 1) <= day)
        ++k;
    while (newMoonDay(k) > day)
        --k;
    return k;
}

}  // namespace

std::int64_t chinaDayOf(double jdUt) noexcept {
    return static_cast<std::int64_t>(std::floor(jdUt - kUnixEpochJd + 8.0 / 24.0));
}

std::vector<LunarMonth> monthsBetweenWinterSolstices(int year) {
    const int first = lunationOfDay(chinaDayOf(solarTermUt(year - 1, kWinterSolstice)));
    const int last = lunationOfDay(chinaDayOf(solarTermUt(year, kWinterSolstice)));
    const int count = last - first;

    // The principal terms of the span: 冬至 of the year before, then 大寒 ... 冬至.
    std::vector<std::int64_t> principal{chinaDayOf(solarTermUt(year - 1, kWinterSolstice))};
    for (int i = 1; i < kTermCount; i += 2)
        principal.push_back(chinaDayOf(solarTermUt(year, i)));

    std::vector<LunarMonth> months;
    bool leapFound = count != 13;  // only a span of 13 months has a leap month
    int number = 11;
    for (int k = first; k < last; ++k) {
        const std::int64_t start = newMoonDay(k);
        const std::int64_t end = newMoonDay(k + 1);
        bool leap = false;
        if (!leapFound && k != first) {
            bool hasPrincipal = false;
            for (const std::int64_t d : principal)
                hasPrincipal = hasPrincipal || (d >= start && d < end);
            leap = !hasPrincipal;
            leapFound = leap;
        }
        if (!leap && k != first)
            number = number % 12 + 1;
        // Months 11 and 12 before the first month belong to the lunar year before.
        const bool beforeNewYear = number >= 11 && (months.empty() || months.back().number >= 11);
        months.push_back({beforeNewYear ? year - 1 : year, number, leap, start,
                          static_cast<int>(end - start)});
    }
    return months;
}

LunarDate lunarDateOf(std::int64_t chinaDay) {
    const CivilDate civil = civilFromDays(chinaDay);
    for (int year : {civil.year, civil.year + 1}) {
        const std::vector<LunarMonth> months = monthsBetweenWinterSolstices(year);
        if (chinaDay < months.front().firstDay)
            continue;  // the month before: only possible for the year before, handled below
        const LunarMonth& lastMonth = months.back();
        if (chinaDay >= lastMonth.firstDay + lastMonth.length)
            continue;
        for (const LunarMonth& m : months) {
            if (chinaDay >= m.firstDay && chinaDay < m.firstDay + m.length)
                return {m.year, m.number, m.leap, static_cast<int>(chinaDay - m.firstDay) + 1};
        }
    }
    // Early January before the eleventh month's span of this year began.
    for (const LunarMonth& m : monthsBetweenWinterSolstices(civil.year - 1)) {
        if (chinaDay >= m.firstDay && chinaDay < m.firstDay + m.length)
            return {m.year, m.number, m.leap, static_cast<int>(chinaDay - m.firstDay) + 1};
    }
    throw std::logic_error("lunar month not found");
}

CivilDate lunarNewYear(int year) {
    for (const LunarMonth& m : monthsBetweenWinterSolstices(year)) {
        if (m.number == 1 && !m.leap)
            return civilFromDays(m.firstDay);
    }
    throw std::logic_error("no first month");
}

int leapMonthOf(int year) {
    // A leap eleventh or twelfth month follows the eleventh month that opens the next span.
    for (int span : {year, year + 1}) {
        for (const LunarMonth& m : monthsBetweenWinterSolstices(span)) {
            if (m.leap && m.year == year)
                return m.number;
        }
    }
    return 0;
}

std::u16string lunarMonthDayText(const LunarDate& d) {
    static constexpr std::array<std::u16string_view, 12> kMonths = {
        u"正", u"二", u"三", u"四", u"五", u"六", u"七", u"八", u"九", u"十", u"十一", u"十二"};
    static constexpr std::array<std::u16string_view, 10> kDigits = {
        u"十", u"一", u"二", u"三", u"四", u"五", u"六", u"七", u"八", u"九"};
    std::u16string text = d.leap ? u"闰" : u"";
    text += kMonths.at(static_cast<std::size_t>(d.month - 1));
    text += u"月";
    if (d.day <= 10) {
        text += u"初";
        text += kDigits.at(static_cast<std::size_t>(d.day % 10));
    } else if (d.day < 20) {
        text += u"十";
        text += kDigits.at(static_cast<std::size_t>(d.day % 10));
    } else if (d.day == 20) {
        text += u"二十";
    } else if (d.day < 30) {
        text += u"廿";
        text += kDigits.at(static_cast<std::size_t>(d.day % 10));
    } else {
        text += u"三十";
    }
    return text;
}

}  // namespace muwu::calendar
