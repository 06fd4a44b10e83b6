#include "platform/press_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "platform/accessibility.h"

namespace muwu {

PressLabel::PressLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    installAccessibleInterfaces();
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void PressLabel::press() {
    emit pressed(mapToGlobal(rect().bottomLeft()));
}

void PressLabel::mousePressEvent(QMouseEvent* event) {
    // Any button, as the press on the caption always did.
    event->accept();
    emit pressed(event->globalPosition().toPoint());
}

void PressLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
                event->accept();
                press();
                return;
            }
            break;
        default:
            break;
    }
    QLabel::keyPressEvent(event);
}

void PressLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void PressLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    update();
}

void PressLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    update();
}

}  // namespace muwu
