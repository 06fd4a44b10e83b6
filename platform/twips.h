#pragma once
// Window lengths are designed in twips (1/1440 inch); on screen they become pixels at the
// screen's logical resolution, 15 twips a pixel at 96 dpi.
#include <cmath>

namespace muwu {

inline constexpr double kTwipsPerInch = 1440.0;

[[nodiscard]] inline int twipsToPixels(int twips, double dotsPerInch) noexcept {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

}  // namespace muwu
