#include "controls/colour.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace muwu::controls {

int roundChannel(double v) noexcept {
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(v));
}

Colour rgbOf(double r, double g, double b) noexcept {
    return rgb(roundChannel(r), roundChannel(g), roundChannel(b));
}

FaceColours faceColours(const FaceInputs& in) noexcept {
    const Channels c = channels(in.base);
    FaceColours f;
    f.flat = in.toolbar && !in.mouseInside;
    const int lift = in.toolbar ? 0 : 16;
    f.background = rgb(up(c.r, lift), up(c.g, lift), up(c.b, lift));
    f.pressed = rgb(down(c.r, 32), down(c.g, 32), down(c.b, 32));
    f.disabled = rgb(up(c.r, 225), up(c.g, 225), up(c.b, 225));
    const int b = f.flat ? 0 : in.brightness;
    f.staticBase = {std::clamp(c.r + b, 0, 255), std::clamp(c.g + b, 0, 255),
                    std::clamp(c.b + b, 0, 255)};
    if (f.flat)
        f.outerBorder = rgb(up(c.r, 32), up(c.g, 32), up(c.b, 32));
    else
        f.outerBorder = in.enabled ? kStaticOuterBorder : kDisabledOuterBorder;
    f.innerBorder = rgb(up(c.r, 96), up(c.g, 96), up(c.b, 96));
    f.caption = in.enabled ? in.captionColour : kDisabledCaption;
    return f;
}

std::vector<Colour> pressedStrip(Colour pressed) {
    return std::vector<Colour>(2, pressed);
}

std::vector<Colour> disabledStrip(Colour disabled, int rows) {
    return std::vector<Colour>(static_cast<std::size_t>(std::max(rows, 1)), disabled);
}

std::vector<Colour> staticStrip(Channels base, int heightPx, bool highColour) {
    if (heightPx <= 0 || !highColour)
        return {};
    std::vector<Colour> rows(static_cast<std::size_t>(heightPx), 0xFFFFFF);
    const double half = heightPx / 2.0;
    const double c0[3] = {double(base.r), double(base.g), double(base.b)};
    double step[3];
    for (int i = 0; i < 3; ++i)
        step[i] = (255.0 - c0[i]) / half;
    const auto put = [&](int y, const double v[3]) {
        // Rows at or below the strip's height fall outside its picture.
        if (y >= 0 && y < heightPx)
            rows[static_cast<std::size_t>(y)] = rgbOf(v[0], v[1], v[2]);
    };
    double mid[3] = {255, 255, 255};
    int yMid = 0;
    for (int y = 0; y <= half; ++y) {
        for (int i = 0; i < 3; ++i)
            mid[i] = std::max(255.0 - step[i] * y, 0.0);
        put(y, mid);
        yMid = y;
    }
    double step2[3];
    for (int i = 0; i < 3; ++i)
        step2[i] = ((255.0 - mid[i]) / half) / 2.0;
    for (int y = yMid; y <= heightPx; ++y) {
        double v[3];
        for (int i = 0; i < 3; ++i)
            v[i] = std::min(mid[i] + step2[i] * (y - yMid), 255.0);
        put(y, v);
    }
    return rows;
}

int stretchSourceRow(int targetRow, double targetRows, int sourceRows) noexcept {
    if (sourceRows <= 0 || targetRows <= 0)
        return 0;
    const int row = static_cast<int>(std::floor((targetRow + 0.5) * sourceRows / targetRows));
    return std::clamp(row, 0, sourceRows - 1);
}

std::string cacheKey(Colour base, double heightTwips, int brightness) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(heightTwips));
    return std::to_string(base) + "_" + std::string(buf, r.ptr) + "_" + std::to_string(brightness);
}

}  // namespace muwu::controls
