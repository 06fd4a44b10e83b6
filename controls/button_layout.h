#pragma once
// Where the button's caption and icon go, in fractional pixels, and the rows of its rounded
// window shape. No Qt.
#include <optional>
#include <vector>

namespace muwu::controls {

struct PointF {
    double x = 0;
    double y = 0;
    friend bool operator==(const PointF&, const PointF&) = default;
};

struct LayoutInputs {
    double widthPx = 0;   // Width / TwipsPerPixelX, fractional
    double heightPx = 0;  // Height / TwipsPerPixelY, fractional
    double captionW = 0, captionH = 0;
    double iconW = 0, iconH = 0;
    bool hasPicture = false;
    bool captionEmpty = true;
    int picturePosition = 0;  // 图片位置
    PointF caption;           // places before the layout; kept where the table says so
    PointF icon;
};

struct ButtonLayout {
    int widthPx = 0;  // whole pixels, halves to even
    int heightPx = 0;
    double outerW = 0, outerH = 0;  // 外边框
    double innerW = 0, innerH = 0;  // 内边框, at (1, 1): the painted face
    PointF caption;
    PointF icon;
};

[[nodiscard]] ButtonLayout layoutButton(const LayoutInputs& in) noexcept;

// One row of the rounded window shape: pixels [left, right) are inside.
struct Span {
    int left = 0;
    int right = 0;
    friend bool operator==(const Span&, const Span&) = default;
};
// The rows of a w × h rectangle whose corners are cut by an ellipse of crad × crad pixels.
[[nodiscard]] std::vector<Span> roundRectSpans(int w, int h, int crad);

}  // namespace muwu::controls
