#include "naming/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace muwu {
namespace {

std::vector<float> draws(RandomSource& random, int n) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i)
        v.push_back(random.next());
    return v;
}

TEST(UniformRandom, EveryReseedStartsTheSequenceOfItsSeedAgain) {
    std::uint64_t seed = 7;
    int seedsTaken = 0;
    UniformRandom random([&] {
        ++seedsTaken;
        return seed;
    });
    EXPECT_EQ(seedsTaken, 0);  // the first seed is the first run's
    random.reseed();
    const std::vector<float> first = draws(random, 200);
    random.reseed();
    EXPECT_EQ(draws(random, 200), first);

    // Neighbouring seeds, as two runs a microsecond apart would give, share nothing.
    seed = 8;
    random.reseed();
    const std::vector<float> next = draws(random, 200);
    int same = 0;
    for (std::size_t i = 0; i < next.size(); ++i)
        same += next[i] == first[i];
    EXPECT_LT(same, 3);

    // Seeds alike in their low 32 bits, as the time of day gives 2^32 µs (about 72 minutes)
    // apart, share nothing either: every bit of the seed counts.
    for (const std::uint64_t high :
         {std::uint64_t{1} << 32, std::uint64_t{7} << 32, std::uint64_t{1} << 63}) {
        seed = 7 + high;
        random.reseed();
        const std::vector<float> later = draws(random, 200);
        same = 0;
        for (std::size_t i = 0; i < later.size(); ++i)
            same += later[i] == first[i];
        EXPECT_LT(same, 3) << "high bits " << (high >> 32);
    }
}

TEST(UniformRandom, ValuesLieInTheUnitIntervalAndFillIt) {
    UniformRandom random([] { return 12345u; });
    random.reseed();
    int low = 0, high = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        low += r < 0.01f;
        high += r >= 0.99f;
    }
    // About 1000 each.
    EXPECT_GT(low, 800);
    EXPECT_GT(high, 800);
}

TEST(UniformRandom, TheLargestRawValueStaysBelowOne) {
    constexpr std::uint64_t all = ~std::uint64_t{0};
    EXPECT_LT(unitFromBits(all), 1.0f);
    EXPECT_EQ(unitFromBits(all), 1.0f - 0x1p-24f);
    EXPECT_EQ(kLargestDraw, unitFromBits(all));
    // Every raw value that shares the top 24 bits gives the same value; the low bits never round
    // it up.
    EXPECT_EQ(unitFromBits(all - (std::uint64_t{1} << 40) + 1), kLargestDraw);
    EXPECT_EQ(unitFromBits(all >> 1), 0.5f - 0x1p-24f);
    EXPECT_EQ(unitFromBits(std::uint64_t{1} << 63), 0.5f);
    EXPECT_EQ(unitFromBits((std::uint64_t{1} << 40) - 1), 0.0f);
    EXPECT_EQ(unitFromBits(std::uint64_t{1} << 40), 0x1p-24f);

    // The largest value still picks inside a list of every size a pool or limit can have.
    for (const double size : {1.0, 30.0, 3582.0, 16777215.0})
        EXPECT_LT(static_cast<std::uint64_t>(size * static_cast<double>(kLargestDraw)), size);
}

TEST(TimeOfDaySeed, CountsMicrosecondsSinceLocalMidnight) {
    using namespace std::chrono;
    // The tests run with TZ=UTC. 1970-01-02 12:34:56.250 and the same moment a day later.
    const system_clock::time_point noonish =
        system_clock::from_time_t(86400 + 12 * 3600 + 34 * 60 + 56) + milliseconds(250);
    const std::uint64_t expected = (12 * 3600 + 34 * 60 + 56) * 1000000ull + 250000;
    EXPECT_EQ(timeOfDaySeed(noonish), expected);
    EXPECT_EQ(timeOfDaySeed(noonish + hours(24)), expected);

    // Two runs within one second are seeded apart.
    EXPECT_NE(timeOfDaySeed(noonish), timeOfDaySeed(noonish + milliseconds(400)));
    EXPECT_EQ(timeOfDaySeed(system_clock::from_time_t(0)), 0u);
    EXPECT_EQ(timeOfDaySeed(system_clock::from_time_t(86399) + microseconds(999999)),
              86399999999ull);
}

}  // namespace
}  // namespace muwu
