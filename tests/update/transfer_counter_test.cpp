#include "update/transfer_counter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace muwu {
namespace {

// A tick source the test moves by hand.
struct ManualTicks {
    std::shared_ptr<std::int64_t> now = std::make_shared<std::int64_t>(0);
    [[nodiscard]] TickSource source() const {
        return [now = now] { return *now; };
    }
    void set(std::int64_t t) const { *now = t; }
};

TEST(TransferCounter, FreshlyClearedCounterReadsZero) {
    ManualTicks ticks;
    ticks.set(5000);
    clsCount c(ticks.source());
    c.Clear();
    ticks.set(9000);  // time alone moves nothing
    EXPECT_EQ(c.Speed(), 0);
    EXPECT_EQ(c.TotalSpeed(), 0);
    EXPECT_EQ(c.TotalTickCount(), 0);
    EXPECT_FALSE(c.NewSpeed());
    EXPECT_EQ(c.CountEnd(), 0);
}

TEST(TransferCounter, SpeedIsCachedUntilTheNextCount) {
    ManualTicks ticks;
    ticks.set(1000);
    clsCount c(ticks.source());
    c.Clear();
    ticks.set(1016);
    c.Count(2048);
    EXPECT_EQ(c.Speed(), 128000);
    ticks.set(3000);
    EXPECT_EQ(c.Speed(), 128000);
    EXPECT_EQ(c.TotalTickCount(), 16);
}

TEST(TransferCounter, TwoChunksWithinOneTickKeepTheLastRate) {
    ManualTicks ticks;
    clsCount c(ticks.source());
    c.Clear();
    ticks.set(100);
    c.Count(1000);
    EXPECT_EQ(c.Speed(), 10000);
    c.Count(1000);  // same tick: nothing to measure over
    EXPECT_EQ(c.Speed(), 10000);
    ticks.set(200);
    c.Count(500);
    EXPECT_EQ(c.Speed(), 15000);  // both chunks since the sample at 100
}

struct RateRow {
    const char* name;
    std::int64_t bytes;
    std::int64_t ms;
    std::int64_t expected;
};

class TransferCounterRate : public ::testing::TestWithParam<RateRow> {};

TEST_P(TransferCounterRate, RoundsHalfToEven) {
    const RateRow& row = GetParam();
    ManualTicks ticks;
    clsCount c(ticks.source());
    c.Clear();
    ticks.set(row.ms);
    c.Count(row.bytes);
    EXPECT_EQ(c.Speed(), row.expected);
    EXPECT_EQ(c.TotalSpeed(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, TransferCounterRate,
                         ::testing::Values(RateRow{"thousand_over_2500ms", 1000, 2500, 400},
                                           RateRow{"tie_down_to_even", 801, 2000, 400},    // 400.5
                                           RateRow{"tie_up_to_even", 803, 2000, 402},      // 401.5
                                           RateRow{"just_above_tie", 1603, 4000, 401},     // 400.75
                                           RateRow{"half_to_zero", 1, 2000, 0},            // 0.5
                                           RateRow{"one_and_a_half_to_two", 3, 2000, 2}),  // 1.5
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TransferCounter, StartCountShiftsTheCountButNotTheAverage) {
    ManualTicks ticks;
    clsCount c(ticks.source());
    c.Clear();
    c.CountStart(500);
    EXPECT_EQ(c.CountStart(), 500);
    EXPECT_EQ(c.CountEnd(), 500);
    ticks.set(1000);
    c.Count(100);
    EXPECT_EQ(c.CountEnd(), 600);
    EXPECT_EQ(c.TotalSpeed(), 100);
}

TEST(TransferCounter, NewSpeedOnlyAfterMoreThanASecond) {
    ManualTicks ticks;
    clsCount c(ticks.source());
    c.Clear();
    ticks.set(1000);
    c.Count(1);
    EXPECT_FALSE(c.NewSpeed());  // exactly one second is not more
    ticks.set(1001);
    c.Count(1);
    EXPECT_TRUE(c.NewSpeed());
    (void)c.Speed();
    EXPECT_FALSE(c.NewSpeed());
}

TEST(TransferCounter, CountsBeyondTwoGigabytes) {
    ManualTicks ticks;
    clsCount c(ticks.source());
    c.Clear();
    const std::int64_t chunk = 1'000'000'000;
    for (int i = 1; i <= 5; ++i) {
        ticks.set(i * 1000);
        c.Count(chunk);
    }
    EXPECT_EQ(c.CountEnd(), 5'000'000'000);
    EXPECT_EQ(c.Speed(), 1'000'000'000);
    EXPECT_EQ(c.TotalSpeed(), 1'000'000'000);
}

TEST(TransferCounter, RoundingHelperStaysInRange) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
}

// A line at 200 KB/s delivers 16 KB every 80 ms, read out as 2048-byte chunks a millisecond
// apart: the rate since the chunk before swings from 25 KB/s to 2 MB/s, the rate of the last
// second or two stays near 200 KB/s at every chunk, and a pause shows as the rate falling.
TEST(RecentRate, BurstsAtTheTrueRate) {
    RecentRate r;
    r.start(0);
    EXPECT_EQ(r.add(0, 2048), std::nullopt);  // no time has passed
    std::int64_t count = 2048;
    std::int64_t tick = 0;
    for (int burst = 1; burst <= 60; ++burst) {
        for (int chunk = 0; chunk < 8; ++chunk) {
            tick = burst * 80 + chunk;
            count += 2048;
            const auto rate = r.add(tick, count);
            ASSERT_TRUE(rate);
            if (tick >= 1000) {
                EXPECT_NEAR(static_cast<double>(*rate), 204800.0, 204800.0 * 0.2) << tick;
            }
        }
    }
    // Three seconds without data, then one chunk: the rate over the gap, not the old one.
    const auto late = r.add(tick + 3000, count + 2048);
    ASSERT_TRUE(late);
    EXPECT_LT(*late, 204800 / 2);
}

}  // namespace
}  // namespace muwu
