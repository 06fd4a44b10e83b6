// The TZif reader against the system's tzdata, and the POSIX rules for later times.
#include <gtest/gtest.h>

#include "calendar/birth_chart.h"
#include "calendar/julian.h"
#include "calendar/time_zone.h"

namespace muwu::calendar {
namespace {

constexpr const char* kZoneinfo = "/usr/share/zoneinfo";

std::int64_t local(CivilDate d, int h, int m) {
    return daysFromCivil(d) * 86400 + h * 3600 + m * 60;
}

TimeZone zone(const std::string& name) {
    std::string problem;
    auto z = TimeZone::load(kZoneinfo, name, problem);
    EXPECT_TRUE(z) << problem;
    return z ? *z : *TimeZone::fromPosix("UTC0");
}

TEST(TimeZone, ChinaDaylightSavingOf1986) {
    const TimeZone shanghai = zone("Asia/Shanghai");
    // 1986-05-04 02:00 became 03:00: 02:30 never happened.
    EXPECT_TRUE(shanghai.fromLocal(local({1986, 5, 4}, 2, 30)).empty());
    // 1986-09-14 02:00 went back to 01:00: 01:30 happened twice.
    const auto twice = shanghai.fromLocal(local({1986, 9, 14}, 1, 30));
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice[1] - twice[0], 3600);
    // A summer day: clock UTC+9, standard time UTC+8.
    const auto summer = shanghai.fromLocal(local({1990, 6, 15}, 14, 30));
    ASSERT_EQ(summer.size(), 1u);
    EXPECT_EQ(shanghai.at(summer[0]).utcOffset, 9 * 3600);
    EXPECT_TRUE(shanghai.at(summer[0]).dst);
    EXPECT_EQ(shanghai.standardOffset(summer[0]), 8 * 3600);
    EXPECT_EQ(shanghai.at(local({2024, 1, 1}, 0, 0)).utcOffset, 8 * 3600);
}

TEST(TimeZone, ThePosixRuleServesAfterTheLastTransition) {
    const TimeZone newYork = zone("America/New_York");
    EXPECT_EQ(newYork.at(local({2090, 7, 1}, 12, 0)).utcOffset, -4 * 3600);
    EXPECT_EQ(newYork.at(local({2090, 1, 1}, 12, 0)).utcOffset, -5 * 3600);
    const TimeZone sydney = zone("Australia/Sydney");  // daylight time across the new year
    EXPECT_EQ(sydney.at(local({2090, 1, 1}, 0, 0)).utcOffset, 11 * 3600);
    EXPECT_EQ(sydney.at(local({2090, 7, 1}, 0, 0)).utcOffset, 10 * 3600);
    // 2090-03-12 is the second Sunday of March: 02:30 is skipped in New York.
    EXPECT_TRUE(newYork.fromLocal(local({2090, 3, 12}, 2, 30)).empty());
    EXPECT_EQ(newYork.fromLocal(local({2090, 11, 5}, 1, 30)).size(), 2u);
}

TEST(TimeZone, PosixStringsAndBadInput) {
    ASSERT_TRUE(parsePosixTz("CST-8"));
    EXPECT_EQ(parsePosixTz("CST-8")->standard.utcOffset, 8 * 3600);
    const auto rule = parsePosixTz("<+0330>-3:30<+0430>,J79/24,J263/24");
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->standard.utcOffset, 12600);
    EXPECT_EQ(rule->daylight->utcOffset, 16200);
    EXPECT_FALSE(parsePosixTz("EST5EDT,M3.2"));
    EXPECT_FALSE(parsePosixTz("X-8"));
    std::string problem;
    EXPECT_FALSE(TimeZone::parse("TZif2 not really", problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(TimeZone::load(kZoneinfo, "../../etc/passwd", problem));
    EXPECT_FALSE(TimeZone::load(kZoneinfo, "Mars/Olympus_Mons", problem));
    EXPECT_FALSE(plausibleZoneName("/etc/localtime"));
    EXPECT_TRUE(plausibleZoneName("Etc/GMT-8"));
}

TEST(BirthMoment, AnExplicitOffsetChoosesOneOfTheRepeatedHour) {
    const TimeZone shanghai = zone("Asia/Shanghai");
    BirthInput in;
    in.date = {1986, 9, 14};
    in.secondOfDay = 90 * 60;
    EXPECT_EQ(resolveBirth(shanghai, in).status, BirthMoment::Status::ambiguous);
    in.utcOffset = 9 * 3600;
    const BirthMoment first = resolveBirth(shanghai, in);
    EXPECT_EQ(first.status, BirthMoment::Status::ok);
    EXPECT_EQ(first.standardOffset, 8 * 3600);
    EXPECT_TRUE(first.clock.dst);
}

}  // namespace
}  // namespace muwu::calendar
