#pragma once
// The naming engine's dice: uniform values in [0, 1), started afresh at every run from a seed.
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>

namespace muwu {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // Starts a new sequence; called once at the start of every run.
    virtual void reseed() = 0;
    // The next value r of the sequence, 0 <= r < 1, in single precision.
    [[nodiscard]] virtual float next() = 0;
};

// The value in [0, 1) that 64 raw random bits stand for: their top 24 bits scaled by 2^-24. Every
// result is exact in a float, so even all bits set gives 1 - 2^-24, never 1; scaling more bits
// through a float would round the largest raw values up to 1 and pick past the end of a list.
[[nodiscard]] constexpr float unitFromBits(std::uint64_t raw) noexcept {
    return static_cast<float>(raw >> 40) * 0x1p-24f;
}

// The largest value next() can give.
inline constexpr float kLargestDraw = unitFromBits(~std::uint64_t{0});

// Microseconds since local midnight. The fraction of a second matters: with whole seconds, two
// runs started within the same second would draw the same sequence and propose the same name.
[[nodiscard]] std::uint64_t timeOfDaySeed(std::chrono::system_clock::time_point now);
[[nodiscard]] std::uint64_t timeOfDaySeed();

// A 64-bit Mersenne twister reseeded from a seed source; the time of day unless told otherwise.
// Its values before the first reseed follow the generator's default seed.
class UniformRandom final : public RandomSource {
  public:
    using SeedSource = std::function<std::uint64_t()>;
    explicit UniformRandom(SeedSource seed = {});

    void reseed() override;
    [[nodiscard]] float next() override;

  private:
    SeedSource seed_;
    std::mt19937_64 engine_;
};

}  // namespace muwu
