#include "shell/cover_picture.h"

#include <QPixmap>
#include <cstddef>

namespace muwu::resources {
extern const char kCoverPicture[];
extern const std::size_t kCoverPictureSize;
extern const char kIconPicture[];
extern const std::size_t kIconPictureSize;
}  // namespace muwu::resources

namespace muwu {

const QImage& coverPicture() {
    static const QImage picture =
        QImage::fromData(reinterpret_cast<const uchar*>(resources::kCoverPicture),
                         static_cast<int>(resources::kCoverPictureSize), "PNG");
    return picture;
}

QIcon programIcon() {
    const QImage icon = QImage::fromData(reinterpret_cast<const uchar*>(resources::kIconPicture),
                                         static_cast<int>(resources::kIconPictureSize), "PNG");
    return QIcon(QPixmap::fromImage(icon));
}

}  // namespace muwu
