#pragma once
// The cover's picture (550 × 300) and the program's icon, drawn by tools/draw_cover and carried
// inside the program.
#include <QIcon>
#include <QImage>

namespace muwu {

[[nodiscard]] const QImage& coverPicture();
[[nodiscard]] QIcon programIcon();

}  // namespace muwu
