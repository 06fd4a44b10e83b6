#include "naming/random_source.h"

#include <ctime>

namespace muwu {

std::uint64_t timeOfDaySeed(std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto sinceMidnight = seconds(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
    // to_time_t truncates toward the whole second; the remainder is the fraction.
    const auto fraction = duration_cast<microseconds>(now - system_clock::from_time_t(t));
    return static_cast<std::uint64_t>(duration_cast<microseconds>(sinceMidnight).count() +
                                      fraction.count());
}

std::uint64_t timeOfDaySeed() {
    return timeOfDaySeed(std::chrono::system_clock::now());
}

UniformRandom::UniformRandom(SeedSource seed) : seed_(std::move(seed)) {
    // No seed is taken here: the first is the first run's, so a counted seed source gives run i
    // the i-th seed.
    if (!seed_)
        seed_ = [] { return timeOfDaySeed(); };
}

void UniformRandom::reseed() {
    // Neighbouring seeds (microseconds apart) must give unrelated sequences; seed_seq spreads
    // every bit of the seed over the whole state.
    const std::uint64_t s = seed_();
    std::seed_seq seq{static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(s >> 32)};
    engine_.seed(seq);
}

float UniformRandom::next() {
    // std::generate_canonical<float> does not promise a value below 1; this does.
    return unitFromBits(engine_());
}

}  // namespace muwu
