#include "controls/transparent_blit.h"

#include <QCoreApplication>
#include <algorithm>

namespace muwu {

namespace {
bool busy = false;
}

bool blitBusy() noexcept {
    return busy;
}

void 绘透明图(QImage& dest, int x, int y, int w, int h, const QImage& src, int srcX, int srcY,
              controls::Colour transparent) {
    while (busy)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    busy = true;
    struct Release {
        ~Release() { busy = false; }
    } release;

    const QImage source =
        src.format() == QImage::Format_ARGB32 ? src : src.convertToFormat(QImage::Format_ARGB32);
    if (dest.format() != QImage::Format_ARGB32_Premultiplied &&
        dest.format() != QImage::Format_RGB32 && dest.format() != QImage::Format_ARGB32)
        dest.convertTo(QImage::Format_ARGB32_Premultiplied);
    const controls::Channels t = controls::channels(transparent);
    const QRgb key = qRgb(t.r, t.g, t.b) & 0xFFFFFF;
    // Clip the rectangle to both images.
    const int x0 = std::max({0, -x, -srcX});
    const int y0 = std::max({0, -y, -srcY});
    const int x1 = std::min({w, dest.width() - x, source.width() - srcX});
    const int y1 = std::min({h, dest.height() - y, source.height() - srcY});
    for (int r = y0; r < y1; ++r) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(srcY + r));
        auto* out = reinterpret_cast<QRgb*>(dest.scanLine(y + r));
        for (int c = x0; c < x1; ++c) {
            const QRgb p = in[srcX + c];
            if (qAlpha(p) == 0 || (p & 0xFFFFFF) == key)
                continue;
            out[x + c] = qAlpha(p) == 255 ? p : qPremultiply(p);
        }
    }
}

}  // namespace muwu
