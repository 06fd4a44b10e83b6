#include "update/transfer_counter.h"

#include <chrono>
#include <cmath>
#include <limits>

namespace muwu {

TickSource steadyTicks() {
    return [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

std::int64_t roundHalfEven(double value) noexcept {
    if (!std::isfinite(value))
        return 0;
    constexpr double kLimit = 9.2e18;  // inside the 64-bit range, far beyond any real rate
    if (value >= kLimit)
        return std::numeric_limits<std::int64_t>::max();
    if (value <= -kLimit)
        return std::numeric_limits<std::int64_t>::min();
    // nearbyint rounds by the current mode, which is to nearest, ties to even, by default.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

clsCount::clsCount(TickSource ticks) : ticks_(std::move(ticks)) {}

void clsCount::Clear() {
    startCount_ = count_ = sampleCount_ = lastSpeed_ = 0;
    const std::int64_t t = ticks_();
    startTick_ = lastTick_ = sampleTick_ = t;
}

void clsCount::Count(std::int64_t n) {
    count_ += n;
    lastTick_ = ticks_();
}

std::int64_t clsCount::Speed() noexcept {
    if (lastTick_ == sampleTick_)
        return lastSpeed_;
    const double seconds = static_cast<double>(lastTick_ - sampleTick_) / 1000.0;
    lastSpeed_ = roundHalfEven(static_cast<double>(count_ - sampleCount_) / seconds);
    sampleTick_ = lastTick_;
    sampleCount_ = count_;
    return lastSpeed_;
}

std::int64_t clsCount::TotalSpeed() const noexcept {
    if (lastTick_ == startTick_)
        return 0;
    const double seconds = static_cast<double>(lastTick_ - startTick_) / 1000.0;
    return roundHalfEven(static_cast<double>(count_ - startCount_) / seconds);
}

void RecentRate::start(std::int64_t tick) noexcept {
    olderTick_ = newerTick_ = tick;
    olderCount_ = newerCount_ = 0;
}

std::optional<std::int64_t> RecentRate::add(std::int64_t tick, std::int64_t count) noexcept {
    // A mark is set at most once a second and the rate runs from the one before: it spans at
    // least a second once a second has passed, and less than two while data keep coming.
    if (tick - newerTick_ >= 1000) {
        olderTick_ = newerTick_;
        olderCount_ = newerCount_;
        newerTick_ = tick;
        newerCount_ = count;
    }
    if (tick <= olderTick_)
        return std::nullopt;
    const double seconds = static_cast<double>(tick - olderTick_) / 1000.0;
    return roundHalfEven(static_cast<double>(count - olderCount_) / seconds);
}

}  // namespace muwu
