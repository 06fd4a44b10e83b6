// muwu-cli bazi as a user runs it: text, JSON, and the clock readings it must refuse.
#include <gtest/gtest.h>

#include "tests/cli/run_cli.h"

namespace muwu::test {
namespace {

TEST(BaziCommand, ShowsThePillarsLunarDateElementsAndANearbyTerm) {
    const Result r = runCli({"bazi", "2024-02-04", "16:20"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("八字：癸卯 乙丑 戊戌 庚申"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("农历：2023年十二月廿五"), std::string::npos);
    EXPECT_NE(r.out.find("所缺五行：火"), std::string::npos);
    EXPECT_NE(r.out.find("日主：戊（土）"), std::string::npos);
    EXPECT_NE(r.out.find("立春在出生后 7 分"), std::string::npos);
}

TEST(BaziCommand, DaylightSavingAndJson) {
    const Result r = runCli({"bazi", "1990-06-15", "14:30", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"dst\":true"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"pillar_time\":\"1990-06-15 13:30:00\""), std::string::npos);
    EXPECT_NE(r.out.find("\"leap\":false"), std::string::npos);
    EXPECT_EQ(lines(r.out).size(), 1u);
}

TEST(BaziCommand, RefusesReadingsTheClockSkippedOrRepeated) {
    Result r = runCli({"bazi", "1986-09-14", "01:30"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("出现两次"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("01:30+09:00"), std::string::npos);
    r = runCli({"bazi", "1986-09-14", "01:30+08:00"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = runCli({"bazi", "1986-05-04", "02:30"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("不存在"), std::string::npos);
}

TEST(BaziCommand, BadArgumentsNameWhatIsWrong) {
    EXPECT_EQ(runCli({"bazi", "2024-02-30", "08:00"}).status, 2);
    EXPECT_EQ(runCli({"bazi", "1850-01-01", "08:00"}).status, 2);
    EXPECT_EQ(runCli({"bazi", "2024-02-10", "25:00"}).status, 2);
    EXPECT_EQ(runCli({"bazi", "2024-02-10", "08:00", "--zi-day", "5"}).status, 2);
    EXPECT_EQ(runCli({"bazi", "2024-02-10", "08:00", "--longitude", "200"}).status, 2);
    const Result zone = runCli({"bazi", "2024-02-10", "08:00", "--tz", "Mars/Base"});
    EXPECT_EQ(zone.status, 2);
    EXPECT_NE(zone.err.find("Mars/Base"), std::string::npos);
    const Result help = runCli({"bazi", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("喜用神"), std::string::npos);
}

}  // namespace
}  // namespace muwu::test
