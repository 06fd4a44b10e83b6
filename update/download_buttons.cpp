#include "update/download_buttons.h"

#include <QMouseEvent>

namespace muwu {

void DownloadButton::mouseReleaseEvent(QMouseEvent* e) {
    const bool inside = isDown() && rect().contains(e->position().toPoint());
    QPushButton::mouseReleaseEvent(e);
    if (inside && isEnabled())
        emit Click();
}

DownloadButton* makeDownloadButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new DownloadButton(parent);
    b->setObjectName(name);
    b->setCaption(caption);
    b->setAccessibleName(caption);
    return b;
}

}  // namespace muwu
