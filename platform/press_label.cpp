#include "platform/press_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "platform/accessibility.h"

namespace muwu {

const QColor PressLabel::kLinkColour(0x23, 0x52, 0x7a);
const QColor PressLabel::kHoverColour(0x0b, 0x6b, 0xc8);

namespace {

void setCaptionColour(QLabel* label, const QColor& colour) {
    // A palette, not a style sheet: a label's style sheet reaches its tooltip too.
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

}  // namespace

PressLabel::PressLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    installAccessibleInterfaces();
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setCaptionColour(this, kLinkColour);
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
    // Some styles draw the focus frame faintly or not at all on a label: a dotted frame in the
    // caption's colour says where the focus is whatever the style.
    QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PressLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    update();
}

void PressLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    update();
}

void PressLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    showHover(true);
}

void PressLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    showHover(false);
}

void PressLabel::showHover(bool on) {
    if (hovered_ == on)
        return;
    hovered_ = on;
    setCaptionColour(this, on ? kHoverColour : kLinkColour);
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

}  // namespace muwu
