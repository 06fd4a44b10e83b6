#include "platform/fit_label.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "platform/accessibility.h"

namespace muwu {

FitLabel::FitLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    installAccessibleInterfaces();
}

FitLabel::Fit FitLabel::fit() const {
    Fit f{font(), text(), false};
    const int room = contentsRect().width();
    const auto fits = [&] { return QFontMetrics(f.font).horizontalAdvance(f.shown) <= room; };
    if (f.shown.isEmpty() || fits())
        return f;
    double size = f.font.pointSizeF();
    while (shrinks_ && size - 0.5 >= kLeastPointSize - 1e-9) {
        size -= 0.5;
        f.font.setPointSizeF(size);
        if (fits())
            return f;
    }
    f.shown = QFontMetrics(f.font).elidedText(f.shown, Qt::ElideRight, room);
    f.elided = true;
    return f;
}

void FitLabel::paintEvent(QPaintEvent* /*event*/) {
    const Fit f = fit();
    QPainter painter(this);
    painter.setFont(f.font);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, f.shown);
}

bool FitLabel::event(QEvent* event) {
    // A tooltip of its own wins; otherwise the whole text, when it is not all on view.
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (fit().elided)
            QToolTip::showText(help->globalPos(), text(), this, rect());
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

}  // namespace muwu
