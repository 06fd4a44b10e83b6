#pragma once
// Places controls on a window by their designed twips, so every window converts lengths alike.
#include <QLabel>
#include <QString>

#include "platform/twips.h"

namespace muwu {

// A control's designed position and size in twips, relative to its container.
struct Box {
    int x, y, w, h;
};

class Placer {
  public:
    explicit Placer(double dpi) : dpi_(dpi) {}

    [[nodiscard]] int px(int twips) const { return twipsToPixels(twips, dpi_); }

    template <typename W>
    W* place(W* widget, const char16_t* name, Box b) const {
        widget->setObjectName(QString::fromUtf16(name));
        // Edges are converted, not sizes, so neighbours that touch in twips touch on screen.
        const int left = px(b.x), top = px(b.y);
        widget->setGeometry(left, top, px(b.x + b.w) - left, px(b.y + b.h) - top);
        return widget;
    }

    QLabel* label(QWidget* parent, const char16_t* name, const QString& caption, Box b) const {
        auto* l = place(new QLabel(caption, parent), name, b);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    }

  private:
    double dpi_;
};

}  // namespace muwu
