#include "controls/button_layout.h"

#include <algorithm>
#include <cmath>

namespace muwu::controls {

ButtonLayout layoutButton(const LayoutInputs& in) noexcept {
    ButtonLayout l;
    l.widthPx = static_cast<int>(std::nearbyint(in.widthPx));
    l.heightPx = static_cast<int>(std::nearbyint(in.heightPx));
    l.outerW = in.widthPx - 1;
    l.outerH = in.heightPx - 1;
    l.innerW = l.outerW - 2;
    l.innerH = l.outerH - 2;
    l.caption = in.caption;
    l.icon = in.icon;
    const double ow = l.outerW, oh = l.outerH, cw = in.captionW, ch = in.captionH;
    const double pw = in.iconW, ph = in.iconH, w = l.widthPx, h = l.heightPx;
    if (!in.hasPicture) {
        l.caption = {(ow - cw) / 2, (oh - ch) / 2};
        return l;
    }
    switch (in.picturePosition) {
        case 0:
            l.caption = {(ow - cw) / 2, oh - ch - 4};
            l.icon = {(ow - pw) / 2, in.captionEmpty ? (h - ph) / 2 : (l.caption.y - ph) / 2};
            break;
        case 1:
            l.caption = {(ow - cw) / 2, oh - ch - 2};
            l.icon = {(ow - pw) / 2, 1};
            break;
        case 2:
            l.caption = {(ow - cw) / 2, 4};
            l.icon = {(ow - pw) / 2, h - ph - 2};
            break;
        case 3:
            l.caption = {pw + (w - cw - pw) / 2, (h - ch) / 2};
            l.icon = {4, (h - ph) / 2};
            break;
        case 4:
            l.caption = {(w - cw - pw) / 2, (h - ch) / 2};
            l.icon = {w - 4 - pw, (h - ph) / 2};
            break;
        default:
            break;
    }
    return l;
}

std::vector<Span> roundRectSpans(int w, int h, int crad) {
    std::vector<Span> rows;
    if (w <= 0 || h <= 0)
        return rows;
    rows.reserve(static_cast<std::size_t>(h));
    const double r = std::clamp(crad, 0, std::min(w, h)) / 2.0;
    for (int y = 0; y < h; ++y) {
        // Distance of the pixel's centre from the nearer corner ellipse's centre row.
        const double cy = y + 0.5;
        const double dy = cy < r ? r - cy : (cy > h - r ? cy - (h - r) : 0.0);
        int inset = 0;
        if (r > 0 && dy > 0) {
            const double dx = r * std::sqrt(std::max(0.0, 1.0 - (dy / r) * (dy / r)));
            inset = static_cast<int>(std::nearbyint(r - dx));
        }
        rows.push_back({inset, std::max(inset, w - inset)});
    }
    return rows;
}

}  // namespace muwu::controls
