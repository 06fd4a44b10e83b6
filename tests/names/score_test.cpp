#include "names/score.h"

#include <gtest/gtest.h>

#include "names/luck_table.h"
#include "platform/text.h"

namespace muwu {
namespace {

// Every reachable personal score by a grids of class 吉 and b of class 凶 among the five texts.
struct ScoreRow {
    int luck, misfortune;
    std::u16string_view shown;
};

class PersonalScore : public ::testing::TestWithParam<ScoreRow> {};

TEST_P(PersonalScore, MatchesTheTable) {
    const ScoreRow row = GetParam();
    std::u16string score = u"100";
    for (int i = 0; i < 5; ++i) {
        std::u16string_view text = luckEntry(1);  // 大吉
        if (i < row.luck) {
            text = luckEntry(8);
        } else if (i < row.luck + row.misfortune) {
            text = luckEntry(2);
        }
        score = scoreStep(score, text);
    }
    EXPECT_EQ(roundedScore(score), row.shown) << toUtf8(score);
}

INSTANTIATE_TEST_SUITE_P(
    AllCounts, PersonalScore,
    ::testing::Values(ScoreRow{0, 0, u"100"}, ScoreRow{1, 0, u"99.8"}, ScoreRow{2, 0, u"99.7"},
                      ScoreRow{3, 0, u"99.5"}, ScoreRow{4, 0, u"99.3"}, ScoreRow{5, 0, u"99.2"},
                      ScoreRow{0, 1, u"90"}, ScoreRow{1, 1, u"89.8"}, ScoreRow{2, 1, u"89.7"},
                      ScoreRow{3, 1, u"89.5"}, ScoreRow{4, 1, u"89.4"}, ScoreRow{0, 2, u"81"},
                      ScoreRow{1, 2, u"80.9"}, ScoreRow{2, 2, u"80.7"}, ScoreRow{3, 2, u"80.6"},
                      ScoreRow{0, 3, u"72.9"}, ScoreRow{1, 3, u"72.8"}, ScoreRow{2, 3, u"72.7"},
                      ScoreRow{0, 4, u"65.6"}, ScoreRow{1, 4, u"65.5"}, ScoreRow{0, 5, u"59"}));

TEST(ScoreSteps, KeepTheUnroundedProductsAsText) {
    EXPECT_EQ(scoreStep(u"100", luckEntry(8)), u"99.83");
    EXPECT_EQ(scoreStep(u"100", luckEntry(1)), u"100");
    EXPECT_EQ(scoreStep(u"100", u""), u"100");
    std::u16string s = u"100";
    for (int n : {2, 4, 8})
        s = scoreStep(s, luckEntry(n));
    EXPECT_EQ(s, u"80.8623");
    s = u"100";
    for (int i = 0; i < 5; ++i)
        s = scoreStep(s, luckEntry(2));
    EXPECT_EQ(s, u"59.049");
}

TEST(CompanyScore, ComesFromTheTotalsClass) {
    EXPECT_EQ(companyScore(luckEntry(1)), u"100");
    EXPECT_EQ(companyScore(luckEntry(8)), u"85");
    EXPECT_EQ(companyScore(luckEntry(2)), u"50");
    EXPECT_EQ(companyScore(luckEntry(0)), std::nullopt);
}

TEST(NumberText, IsShortestToFifteenDigits) {
    EXPECT_EQ(numberText(90), u"90");
    EXPECT_EQ(numberText(0), u"0");
    EXPECT_EQ(numberText(100 * 0.9983), u"99.83");
    EXPECT_EQ(numberText(0.1 + 0.2), u"0.3");
    EXPECT_EQ(numberText(-1), u"-1");
    EXPECT_EQ(roundedScore(u"评分"), u"评分");  // nothing to round before the first score
    EXPECT_EQ(roundedScore(u"89.847"), u"89.8");
    EXPECT_EQ(roundToTenth(0.25), 0.2);  // a half goes to the even neighbour
}

TEST(LeadingNumber, ReadsTheNumberACaptionStartsWith) {
    EXPECT_EQ(leadingNumber(u"12"), 12.0);
    EXPECT_EQ(leadingNumber(u" 99.8分"), 99.8);
    EXPECT_EQ(leadingNumber(u"-3"), -3.0);
    EXPECT_EQ(leadingNumber(u"1e2x"), 100.0);
    EXPECT_EQ(leadingNumber(u"1e"), 1.0);
    EXPECT_EQ(leadingNumber(u"评分"), std::nullopt);
    EXPECT_EQ(leadingNumber(u""), std::nullopt);
    EXPECT_EQ(leadingNumber(u"."), std::nullopt);
    EXPECT_EQ(leadingNumber(u"1e999999"), std::nullopt);
    EXPECT_EQ(numberOf(u"天格笔画数"), 0.0);
}

}  // namespace
}  // namespace muwu
