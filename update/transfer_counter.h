#pragma once
// clsCount: the bytes of one transfer and two rates derived from a millisecond tick, the rate
// since the previous sample (shown and watched for slowness) and the average since Clear.
// Counts are 64-bit so a transfer above 2 GB counts right.
#include <cstdint>
#include <functional>
#include <optional>

namespace muwu {

// Milliseconds from some fixed moment; differences are what count.
using TickSource = std::function<std::int64_t()>;

// A steady clock in milliseconds.
[[nodiscard]] TickSource steadyTicks();

// A rate rounded to the nearest whole number, ties to the even neighbour (400.5 → 400).
[[nodiscard]] std::int64_t roundHalfEven(double value) noexcept;

class clsCount {
  public:
    explicit clsCount(TickSource ticks = steadyTicks());

    [[nodiscard]] std::int64_t CountStart() const noexcept { return startCount_; }
    // The count starts over from v; TotalSpeed then counts only what is added.
    void CountStart(std::int64_t v) noexcept { startCount_ = count_ = v; }
    [[nodiscard]] std::int64_t CountEnd() const noexcept { return count_; }

    void Clear();
    void Count(std::int64_t n);

    // Rate since the previous sample, measured up to the tick of the latest Count; cached when
    // nothing was counted since.
    [[nodiscard]] std::int64_t Speed() noexcept;
    [[nodiscard]] std::int64_t TotalSpeed() const noexcept;
    [[nodiscard]] std::int64_t TotalTickCount() const noexcept { return lastTick_ - startTick_; }
    // More than one second of counted data lies after the latest sample.
    [[nodiscard]] bool NewSpeed() const noexcept { return lastTick_ > sampleTick_ + 1000; }

  private:
    TickSource ticks_;
    std::int64_t startCount_ = 0;
    std::int64_t count_ = 0;
    std::int64_t sampleCount_ = 0;
    std::int64_t lastSpeed_ = 0;
    std::int64_t startTick_ = 0;
    std::int64_t lastTick_ = 0;
    std::int64_t sampleTick_ = 0;
};

// The rate of the last second or two of a transfer: the count added since a mark between one
// and two seconds old, over the time since that mark. The rate since the previous chunk tells
// nothing when chunks come in bursts (a network buffer read out within a millisecond), this does.
class RecentRate {
  public:
    // The transfer starts at tick with nothing counted.
    void start(std::int64_t tick) noexcept;
    // The running count at tick; returns the rate per second, nullopt while no time has passed
    // since the start.
    [[nodiscard]] std::optional<std::int64_t> add(std::int64_t tick, std::int64_t count) noexcept;

  private:
    std::int64_t olderTick_ = 0;
    std::int64_t olderCount_ = 0;
    std::int64_t newerTick_ = 0;
    std::int64_t newerCount_ = 0;
};

}  // namespace muwu
