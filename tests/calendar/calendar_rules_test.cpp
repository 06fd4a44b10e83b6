// The lunar calendar and the pillars against published dates and known charts.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "calendar/birth_chart.h"
#include "calendar/lunar_calendar.h"
#include "calendar/pillars.h"
#include "calendar/solar_terms.h"

namespace muwu::calendar {
namespace {

std::string text(const GanZhi& g) {
    std::string s;
    for (const char16_t c : g.text())
        s += std::to_string(static_cast<int>(c)) + ",";
    return s;
}

GanZhi gz(std::u16string_view pair) {
    int stem = 0;
    int branch = 0;
    for (int i = 0; i < 10; ++i)
        stem = stemName(i) == pair.substr(0, 1) ? i : stem;
    for (int i = 0; i < 12; ++i)
        branch = branchName(i) == pair.substr(1, 1) ? i : branch;
    return ganZhiOf(stem, branch);
}

TEST(LunarCalendar, NewYearDatesOfPublishedLists) {
    std::ifstream in(std::string(MUWU_SOURCE_DIR) + "/tests/calendar/data/lunar_new_year.tsv");
    ASSERT_TRUE(in);
    int checked = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const int year = std::stoi(line.substr(0, 4));
        const CivilDate d = lunarNewYear(year);
        char got[16];
        std::snprintf(got, sizeof got, "%04d-%02d-%02d", d.year, d.month, d.day);
        EXPECT_EQ(std::string(got), line.substr(5, 10)) << year;
        ++checked;
    }
    EXPECT_GT(checked, 90);
}

TEST(LunarCalendar, LeapMonthsOfKnownYears) {
    // Year, leap month (0: none). 2033's 闰十一月 is the case the rule "first month without a
    // principal term" decides against the older custom.
    const std::pair<int, int> cases[] = {{1900, 8}, {1984, 10}, {1987, 6}, {2012, 4}, {2014, 9},
                                         {2017, 6}, {2020, 4},  {2023, 2}, {2025, 6}, {2028, 5},
                                         {2033, 11}, {2024, 0}, {2034, 0}};
    for (const auto& [year, leap] : cases)
        EXPECT_EQ(leapMonthOf(year), leap) << year;
}

TEST(LunarCalendar, DatesAcrossMonthAndYearEdges) {
    // 2023-03-22 began 闰二月; 2024-02-09 was 腊月三十 of 2023; 2024-02-10 正月初一.
    EXPECT_EQ(lunarDateOf(daysFromCivil({2023, 3, 22})), (LunarDate{2023, 2, true, 1}));
    EXPECT_EQ(lunarDateOf(daysFromCivil({2024, 2, 9})), (LunarDate{2023, 12, false, 30}));
    EXPECT_EQ(lunarDateOf(daysFromCivil({2024, 2, 10})), (LunarDate{2024, 1, false, 1}));
    EXPECT_EQ(lunarDateOf(daysFromCivil({2034, 1, 1})).leap, true);  // in 闰十一月 of 2033
    EXPECT_EQ(lunarMonthDayText({2023, 2, true, 21}), u"闰二月廿一");
    EXPECT_EQ(lunarMonthDayText({2023, 12, false, 30}), u"十二月三十");
    EXPECT_EQ(lunarMonthDayText({2024, 1, false, 10}), u"正月初十");
}

TEST(Pillars, DayCycleEpochsAndTheSixtyPairs) {
    EXPECT_EQ(dayPillarOf({1949, 10, 1}), gz(u"甲子"));
    EXPECT_EQ(dayPillarOf({2000, 1, 1}), gz(u"戊午"));
    EXPECT_EQ(dayPillarOf({1900, 1, 1}), gz(u"甲戌"));
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(ganZhiOf(i % 10, i % 12).index, i);
}

TEST(Pillars, YearAndMonthChangeAtTheSectionalTerms) {
    const double lichun2024 = solarTermUt(2024, 2);  // 2024-02-04 16:27 Beijing time
    const double minute = 1.0 / 1440;
    EXPECT_EQ(yearPillar(lichun2024 - minute), gz(u"癸卯"));
    EXPECT_EQ(yearPillar(lichun2024 + minute), gz(u"甲辰"));
    EXPECT_EQ(monthPillar(lichun2024 - minute), gz(u"乙丑"));
    EXPECT_EQ(monthPillar(lichun2024 + minute), gz(u"丙寅"));
    // Early January belongs to the 子 month of the year before until 小寒.
    const double xiaohan = solarTermUt(2024, 0);
    EXPECT_EQ(monthPillar(xiaohan - minute), gz(u"甲子"));
    EXPECT_EQ(monthPillar(xiaohan + minute), gz(u"乙丑"));
    EXPECT_EQ(yearPillar(julianDayOf({1984, 2, 5})), gz(u"甲子"));
}

TEST(Pillars, HoursAndTheTwoRulesForTheHourOfZi) {
    const CivilDate d{2000, 1, 1};  // 戊午 day; 2000-01-02 is 己未
    EXPECT_EQ(dayAndHourPillars(d, 0, ZiHourDay::nextDay).hour, gz(u"壬子"));  // 戊癸何方发，壬子是真途
    EXPECT_EQ(dayAndHourPillars(d, 11 * 3600, ZiHourDay::nextDay).hour, gz(u"戊午"));
    EXPECT_EQ(dayAndHourPillars(d, 22 * 3600 + 59 * 60, ZiHourDay::nextDay).hour, gz(u"癸亥"));
    const DayHour early = dayAndHourPillars(d, 23 * 3600 + 30 * 60, ZiHourDay::nextDay);
    EXPECT_EQ(early.day, gz(u"己未"));
    EXPECT_EQ(early.hour, gz(u"甲子"));
    const DayHour late = dayAndHourPillars(d, 23 * 3600 + 30 * 60, ZiHourDay::sameDay);
    EXPECT_EQ(late.day, gz(u"戊午"));
    EXPECT_EQ(late.hour, gz(u"甲子"));
}

TEST(Pillars, ElementsHiddenStemsAndAbsentElements) {
    const Chart c = chartAt(daysFromCivil({2024, 2, 4}) * 86400 + 8 * 3600 + 20 * 60, 8 * 3600,
                            std::nullopt, ZiHourDay::nextDay);
    // 癸卯 乙丑 戊戌 庚申: no fire among the eight characters, fire hidden in 戌.
    EXPECT_EQ(c.pillars.day, gz(u"戊戌")) << text(c.pillars.day);
    EXPECT_EQ(c.counts.characters[static_cast<int>(Element::fire)], 0);
    EXPECT_EQ(c.counts.hidden[static_cast<int>(Element::fire)], 1);
    ASSERT_EQ(c.absent.size(), 1u);
    EXPECT_EQ(c.absent[0], Element::fire);
    EXPECT_EQ(stemElement(c.dayMaster()), Element::earth);
    // 立春 comes seven minutes later: the change is reported.
    ASSERT_FALSE(c.nearChanges.empty());
    EXPECT_EQ(c.nearChanges[0].termIndex, 2);
    EXPECT_GT(c.nearChanges[0].secondsFromBirth, 0);
    const HiddenStems chou = hiddenStems(1);
    EXPECT_EQ(chou.count, 3);
    EXPECT_EQ(stemName(chou.stems[0]), u"己");
}

TEST(Pillars, TrueSolarTimeMovesTheHour) {
    // 2024-11-03 12:50 Beijing time at 87.6 E (Urumqi): local mean time 10:40, the sundial
    // 16 minutes ahead: about 10:56, the 巳 hour, where Beijing time says 午.
    const std::int64_t utc = daysFromCivil({2024, 11, 3}) * 86400 + 4 * 3600 + 50 * 60;
    const Chart standard = chartAt(utc, 8 * 3600, std::nullopt, ZiHourDay::nextDay);
    const Chart solar = chartAt(utc, 8 * 3600, 87.6, ZiHourDay::nextDay);
    EXPECT_EQ(standard.pillars.hour.branch(), 6);
    EXPECT_EQ(solar.pillars.hour.branch(), 5);
    EXPECT_NEAR(solar.equationOfTimeMinutes, 16.4, 0.1);
}

}  // namespace
}  // namespace muwu::calendar
