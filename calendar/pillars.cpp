#include "calendar/pillars.h"

#include <cmath>

#include "calendar/solar_terms.h"

namespace muwu::calendar {

namespace {

constexpr std::array<std::u16string_view, 10> kStems = {u"甲", u"乙", u"丙", u"丁", u"戊",
                                                        u"己", u"庚", u"辛", u"壬", u"癸"};
constexpr std::array<std::u16string_view, 12> kBranches = {
    u"子", u"丑", u"寅", u"卯", u"辰", u"巳", u"午", u"未", u"申", u"酉", u"戌", u"亥"};
constexpr std::array<std::u16string_view, 12> kZodiac = {
    u"鼠", u"牛", u"虎", u"兔", u"龙", u"蛇", u"马", u"羊", u"猴", u"鸡", u"狗", u"猪"};
constexpr std::array<Element, 12> kBranchElements = {
    Element::water, Element::earth, Element::wood,  Element::wood,  Element::earth, Element::fire,
    Element::fire,  Element::earth, Element::metal, Element::metal, Element::earth, Element::water};
// 子癸; 丑己癸辛; 寅甲丙戊; 卯乙; 辰戊乙癸; 巳丙戊庚; 午丁己; 未己丁乙; 申庚壬戊; 酉辛;
// 戌戊辛丁; 亥壬甲.
constexpr std::array<HiddenStems, 12> kHidden = {{
    {{9, 0, 0}, 1}, {{5, 9, 7}, 3}, {{0, 2, 4}, 3}, {{1, 0, 0}, 1},
    {{4, 1, 9}, 3}, {{2, 4, 6}, 3}, {{3, 5, 0}, 2}, {{5, 3, 1}, 3},
    {{6, 8, 4}, 3}, {{7, 0, 0}, 1}, {{4, 7, 3}, 3}, {{8, 0, 0}, 2},
}};

// 1949-10-01 was a 甲子 day; 2000-01-01, 18354 days later, a 戊午 day (index 54).
constexpr std::int64_t kJiaZiDay = -7397;  // 1949-10-01 as days since 1970-01-01

int floorMod60(std::int64_t n) noexcept {
    return static_cast<int>(floorMod(n, 60));
}

// The solar year of a moment: the Gregorian year, less one before that year's 立春.
int gregorianYearOf(double jdUt) {
    return civilFromDays(static_cast<std::int64_t>(std::floor(jdUt - kUnixEpochJd))).year;
}

int solarYear(double jdUt) {
    int year = gregorianYearOf(jdUt);
    if (jdUt < solarTermUt(year, 2))
        --year;
    return year;
}

}  // namespace

std::u16string_view elementName(Element e) noexcept {
    switch (e) {
        case Element::wood:
            return u"木";
        case Element::fire:
            return u"火";
        case Element::earth:
            return u"土";
        case Element::metal:
            return u"金";
        case Element::water:
            return u"水";
    }
    return u"";
}

std::u16string_view stemName(int stem) noexcept {
    return kStems[static_cast<std::size_t>(stem % 10)];
}
std::u16string_view branchName(int branch) noexcept {
    return kBranches[static_cast<std::size_t>(branch % 12)];
}
std::u16string_view zodiacName(int branch) noexcept {
    return kZodiac[static_cast<std::size_t>(branch % 12)];
}
Element stemElement(int stem) noexcept {
    constexpr std::array<Element, 5> kPairs = {Element::wood, Element::fire, Element::earth,
                                               Element::metal, Element::water};
    return kPairs[static_cast<std::size_t>(stem % 10 / 2)];
}
Element branchElement(int branch) noexcept {
    return kBranchElements[static_cast<std::size_t>(branch % 12)];
}
HiddenStems hiddenStems(int branch) noexcept {
    return kHidden[static_cast<std::size_t>(branch % 12)];
}

std::u16string GanZhi::text() const {
    return std::u16string(stemName(stem())) + std::u16string(branchName(branch()));
}

GanZhi ganZhiOf(int stem, int branch) noexcept {
    // The index i with i % 10 == stem and i % 12 == branch (stem and branch of equal parity).
    return {static_cast<int>((6 * stem - 5 * branch + 60) % 60)};
}

GanZhi yearPillar(double jdUt) {
    return {floorMod60(solarYear(jdUt) - 4)};  // 1984 was 甲子
}

GanZhi monthPillar(double jdUt) {
    // The last 节 at or before the moment: 小寒 opens 丑, 立春 寅, ..., 大雪 子.
    const int year = gregorianYearOf(jdUt);
    int term = -1;
    for (int y : {year, year - 1}) {
        for (int i = kTermCount - 2; i >= 0 && term < 0; i -= 2) {
            if (solarTermUt(y, i) <= jdUt)
                term = i;
        }
        if (term >= 0)
            break;
    }
    const int branch = (term / 2 + 1) % 12;
    const int yearStem = yearPillar(jdUt).stem();
    const int offset = (branch - 2 + 12) % 12;  // months counted from 寅
    const int stem = (yearStem * 2 + 2 + offset) % 10;  // 五虎遁: 甲己之年丙作首
    return ganZhiOf(stem, branch);
}

GanZhi dayPillarOf(CivilDate date) noexcept {
    return {floorMod60(daysFromCivil(date) - kJiaZiDay)};
}

DayHour dayAndHourPillars(CivilDate date, int secondOfDay, ZiHourDay zi) noexcept {
    const int hour = secondOfDay / 3600;
    const bool lateZi = hour >= 23;
    const CivilDate next = civilFromDays(daysFromCivil(date) + 1);
    const GanZhi day = dayPillarOf(lateZi && zi == ZiHourDay::nextDay ? next : date);
    // The 子 hour from 23:00 takes its stem from the day it opens (五鼠遁: 甲己还加甲).
    const int stemDay = lateZi ? dayPillarOf(next).stem() : day.stem();
    const int branch = (hour + 1) / 2 % 12;
    return {day, ganZhiOf((stemDay * 2 + branch) % 10, branch)};
}

ElementCounts countElements(const Pillars& p) noexcept {
    ElementCounts counts;
    for (const GanZhi& g : {p.year, p.month, p.day, p.hour}) {
        ++counts.characters[static_cast<std::size_t>(stemElement(g.stem()))];
        ++counts.characters[static_cast<std::size_t>(branchElement(g.branch()))];
        const HiddenStems h = hiddenStems(g.branch());
        for (int i = 0; i < h.count; ++i)
            ++counts.hidden[static_cast<std::size_t>(stemElement(h.stems[static_cast<std::size_t>(i)]))];
    }
    return counts;
}

}  // namespace muwu::calendar
