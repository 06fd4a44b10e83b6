#pragma once
// Stored &HBBGGRR colours as Qt paints them. Only the low 24 bits count, so a system colour or a
// stray negative value still paints as some colour instead of Qt's invalid (black) one.
#include <QColor>

#include "controls/colour.h"

namespace muwu::controls {

[[nodiscard]] inline QColor toQColor(Colour c) {
    const Channels ch = channels(c & kMaxColour);
    return {ch.r, ch.g, ch.b};
}

[[nodiscard]] inline QRgb toQRgb(Colour c) {
    return toQColor(c).rgb();
}

[[nodiscard]] inline Colour fromQColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

}  // namespace muwu::controls
