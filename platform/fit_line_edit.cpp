#include "platform/fit_line_edit.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>

namespace muwu {

namespace {

// Qt's line edit keeps this much room on each side of its text, and one pixel for the cursor.
constexpr int kTextMargin = 2;
constexpr double kStep = 0.75;

}  // namespace

FitLineEdit::FitLineEdit(QWidget* parent) : QLineEdit(parent), own_(font()) {
    connect(this, &QLineEdit::textChanged, this, [this] { fitText(); });
}

void FitLineEdit::setFitFont(const QFont& font, double leastPointSize) {
    own_ = font;
    least_ = leastPointSize;
    fitText();
}

void FitLineEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fitText();
}

void FitLineEdit::fitText() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const int room = contents.width() - margins.left() - margins.right() - 2 * kTextMargin - 1;
    QFont f = own_;
    for (double size = own_.pointSizeF(); size >= least_ - 1e-9; size -= kStep) {
        f.setPointSizeF(size);
        if (QFontMetrics(f).horizontalAdvance(text()) <= room)
            break;
    }
    if (font() != f)
        setFont(f);
}

}  // namespace muwu
