#pragma once
// The link labels of the cover and the about box: a label that acts on a click, a press and a
// release on it, or on Enter or Space while it has the focus, with the same captions, tooltips and
// actions on both windows. Tab reaches them; a screen reader reads links that can be pressed.
#include <QLabel>

#include "platform/press_label.h"

namespace muwu {

class LinkActions;

class LinkLabel : public PressLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& name, const QString& caption, QWidget* parent);

  signals:
    void clicked();

  protected:
    // The press is taken here, so it does not reach the window behind (the cover hides on one).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

struct LinkLabels {
    LinkLabel* 沐梧工作室 = nullptr;
    LinkLabel* 设计 = nullptr;
    LinkLabel* 诗集 = nullptr;
};

// Colours a label's text without a style sheet, which would reach its tooltip as well.
void setTextColour(QLabel* label, const QColor& colour);

// Makes the three labels on host, wired to the links; tooltips are set by showLinkTips.
[[nodiscard]] LinkLabels addLinkLabels(QWidget* host, LinkActions& links);

// The tooltips say where each label leads as things stand now.
void showLinkTips(const LinkLabels& labels, const LinkActions& links);

}  // namespace muwu
