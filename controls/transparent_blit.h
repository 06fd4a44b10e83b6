#pragma once
// 绘透明图: copies a rectangle of one image onto another, leaving out every pixel of one colour.
#include <QImage>

#include "controls/colour.h"

namespace muwu {

// Copies the w × h rectangle at (srcX, srcY) of src to (x, y) of dest, except the pixels whose
// colour is transparent (&HBBGGRR) or that are fully see-through, which leave dest unchanged.
// A blit asked for while one runs waits, letting the event loop run, until the first has ended.
void 绘透明图(QImage& dest, int x, int y, int w, int h, const QImage& src, int srcX, int srcY,
              controls::Colour transparent);

// True while a blit runs.
[[nodiscard]] bool blitBusy() noexcept;

}  // namespace muwu
