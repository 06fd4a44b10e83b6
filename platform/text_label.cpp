#include "platform/text_label.h"

#include "platform/accessibility.h"

namespace muwu {

TextLabel::TextLabel(QWidget* parent) : TextLabel(QString(), parent) {}

TextLabel::TextLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    installAccessibleInterfaces();
}

}  // namespace muwu
