#pragma once
// Colour arithmetic of the owner-drawn button: one base colour and a brightness give every colour
// of its face, and the three one-pixel-wide face strips as lists of row colours. No Qt.
#include <cstdint>
#include <string>
#include <vector>

namespace muwu::controls {

// A colour as &HBBGGRR: red in the low byte. Values outside 0 … &HFFFFFF are accepted and stored
// (a system colour has the high bit set) but never painted.
using Colour = std::int64_t;

inline constexpr Colour kMaxColour = 0xFFFFFF;
inline constexpr Colour kDefaultFaceColour = 0x808000;  // RGB(0, 128, 128)
inline constexpr Colour kStaticOuterBorder = 0x404040;
inline constexpr Colour kDisabledOuterBorder = 0x808080;
inline constexpr Colour kFocusFrame = 0xFF0000;  // blue
inline constexpr Colour kHoverFrame = 0x00FFFF;  // yellow
inline constexpr Colour kDisabledCaption = 0xC0C0C0;

struct Channels {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Channels&, const Channels&) = default;
};

[[nodiscard]] constexpr Colour rgb(int r, int g, int b) noexcept {
    return Colour{r} + 256 * Colour{g} + 65536 * Colour{b};
}
[[nodiscard]] constexpr Channels channels(Colour c) noexcept {
    return {static_cast<int>(c % 256), static_cast<int>((c / 256) % 256),
            static_cast<int>(c / 65536)};
}
[[nodiscard]] constexpr int up(int x, int d) noexcept {
    return x + d < 255 ? x + d : 255;
}
[[nodiscard]] constexpr int down(int x, int d) noexcept {
    return x - d > 0 ? x - d : 0;
}
[[nodiscard]] constexpr bool paintable(Colour c) noexcept {
    return c >= 0 && c <= kMaxColour;
}

// A channel value taken to the nearest integer, halves to even.
[[nodiscard]] int roundChannel(double v) noexcept;
[[nodiscard]] Colour rgbOf(double r, double g, double b) noexcept;

// Everything the painting needs to know about the face besides its strips.
struct FaceInputs {
    Colour base = kDefaultFaceColour;
    int brightness = 18;
    bool toolbar = false;
    bool enabled = true;
    bool mouseInside = false;
    Colour captionColour = 0;
};

struct FaceColours {
    bool flat = false;
    Colour background = 0;
    Colour pressed = 0;
    Colour disabled = 0;
    Channels staticBase;
    Colour outerBorder = 0;
    Colour innerBorder = 0;
    Colour caption = 0;
};

[[nodiscard]] FaceColours faceColours(const FaceInputs& in) noexcept;

// The strips as their rows' colours, top first.
[[nodiscard]] std::vector<Colour> pressedStrip(Colour pressed);
[[nodiscard]] std::vector<Colour> disabledStrip(Colour disabled, int rows);
// The static gradient for a strip of heightPx rows: white at the top, the base in the middle, half
// way back to white at the bottom. Empty rows (undrawn) on a display below 16 bits per pixel.
[[nodiscard]] std::vector<Colour> staticStrip(Channels base, int heightPx, bool highColour);

// The strip row a face row shows when a strip of sourceRows rows is stretched over targetRows
// rows: the row under the face row's centre.
[[nodiscard]] int stretchSourceRow(int targetRow, double targetRows, int sourceRows) noexcept;

// The cache key: colour, the height in twips in its shortest form, and the brightness.
[[nodiscard]] std::string cacheKey(Colour base, double heightTwips, int brightness);

}  // namespace muwu::controls
