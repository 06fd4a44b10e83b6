#include "update/download_buttons.h"

namespace muwu {

DownloadButton* makeDownloadButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new DownloadButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    return b;
}

}  // namespace muwu
