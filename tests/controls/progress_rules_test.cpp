#include "controls/progress_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace muwu {
namespace {

struct Row {
    const char* name;
    std::function<void(ProgressState&)> act;
    std::int32_t max, min, value;
    float redX2, whiteX2;  // NAN: not checked
    int changes;           // Change events the act raised; -1: not checked
};

// A control 1530 twips wide with max 100, Min 0 and value 0, freshly resized.
ProgressState base() {
    ProgressState s;
    resize(s, 1530);
    writeMax(s, 100);
    s.events.clear();
    return s;
}

class ProgressRules : public ::testing::TestWithParam<Row> {};

TEST_P(ProgressRules, Case) {
    const Row& r = GetParam();
    ProgressState s = base();
    r.act(s);
    EXPECT_EQ(s.maximum, r.max);
    EXPECT_EQ(s.minimum, r.min);
    EXPECT_EQ(s.Value(), r.value);
    if (!std::isnan(r.redX2)) {
        EXPECT_FLOAT_EQ(s.red.x2, r.redX2);
    }
    if (!std::isnan(r.whiteX2)) {
        EXPECT_FLOAT_EQ(s.white.x2, r.whiteX2);
    }
    EXPECT_FLOAT_EQ(s.red.x1, 30);
    EXPECT_FLOAT_EQ(s.white.x1, 30);
    if (r.changes >= 0) {
        int changes = 0;
        for (ProgressEvent e : s.events)
            changes += e == ProgressEvent::Change;
        EXPECT_EQ(changes, r.changes);
    }
}

const float kAny = NAN;

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgressRules,
    ::testing::Values(
        Row{"half_way", [](auto& s) { writeValue(s, 50); }, 100, 0, 50, 750, 750, 1},
        Row{"above_max_widens_it_and_fills", [](auto& s) { writeValue(s, 150); }, 150, 0, 150, 1500,
            1500, -1},
        Row{"below_min_lowers_it", [](auto& s) { writeValue(s, -5); }, 100, -5, -5, kAny, kAny, -1},
        Row{"zero_runs_back_to_the_edge", [](auto& s) { writeValue(s, 0); }, 100, 0, 0, 0, 30, 1},
        Row{"min_above_max_raises_max",
            [](auto& s) {
                writeMax(s, 5);
                writeMin(s, 10);
            },
            10, 10, 10, kAny, kAny, -1},
        Row{"max_below_value_pulls_it_down",
            [](auto& s) {
                writeValue(s, 80);
                writeMax(s, 50);
            },
            50, 0, 50, 1500, 1500, -1},
        Row{"kilobytes_of_a_download",
            [](auto& s) {
                writeMax(s, 3181);
                writeValue(s, 1024);
            },
            3181, 0, 1024, 1500.0f / 3181.0f * 1024.0f, 1500.0f / 3181.0f * 1024.0f, -1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ProgressRulesDraw, NothingIsDrawnWithAllZero) {
    ProgressState s;
    resize(s, 1530);
    EXPECT_TRUE(s.events.empty());  // max = min = value = 0: no draw, no Change
    writeValue(s, 0);
    EXPECT_TRUE(s.events.empty());
    EXPECT_FLOAT_EQ(s.red.x2, 1515);  // the resize's geometry stays
    EXPECT_FLOAT_EQ(s.white.x2, 1500);
}

TEST(ProgressRulesDraw, EqualBoundsDrawWithoutChange) {
    ProgressState s;
    resize(s, 1530);
    writeMin(s, 7);  // max follows to 7, the value to 7
    ASSERT_EQ(s.maximum, 7);
    s.events.clear();
    checkAndDraw(s);
    ASSERT_EQ(s.events.size(), 1u);
    EXPECT_EQ(s.events[0], ProgressEvent::Draw);
    EXPECT_FLOAT_EQ(s.red.x2, 1500);
}

TEST(ProgressRulesDraw, ResizeForcesStrokeEnds) {
    ProgressState s;
    resize(s, 3000);
    EXPECT_EQ(s.width, 3000);
    EXPECT_FLOAT_EQ(s.red.x2, 2985);
    EXPECT_FLOAT_EQ(s.white.x2, 2970);
}

TEST(ProgressRulesValue, ReadRoundsHalfToEvenAndIgnoresJunk) {
    ProgressState s;
    s.value = 2.5;
    EXPECT_EQ(s.Value(), 2);
    s.value = 3.5;
    EXPECT_EQ(s.Value(), 4);
    EXPECT_DOUBLE_EQ(readNumber(" 3181"), 3181);
    EXPECT_DOUBLE_EQ(readNumber("12.5KB"), 12.5);
    EXPECT_DOUBLE_EQ(readNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(readNumber(""), 0);
    EXPECT_EQ(toInt32(1e12), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace muwu
