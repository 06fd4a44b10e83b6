#pragma once
// The windows are designed in 宋体 (SimSun). Where it is not installed, the closest serif CJK face
// stands in, so captions keep their designed widths as nearly as another font allows.
#include <QFont>
#include <QString>
#include <QStringList>

namespace muwu {

// Faces tried in order for 宋体: the face itself, then serif faces of the same design family,
// then any CJK face.
[[nodiscard]] const QStringList& songTiCandidates();

// The first candidate among installed families (compared without regard to case); empty when
// none is installed, and the platform's default font then has to do.
[[nodiscard]] QString pickSongTiFamily(const QStringList& installed);

// 宋体 at a point size; the family is looked up once per program.
[[nodiscard]] QFont songTi(double pointSize, bool bold = false);

}  // namespace muwu
