#pragma once
// 关于: the about box, over the cover's picture. It lives from its menu item until 确定 or a close,
// which destroy it; every opening loads its texts afresh.
#include <QWidget>

#include "shell/link_label.h"

class QLabel;
class QPushButton;

namespace muwu {

class LinkActions;

class AboutBox : public QWidget {
    Q_OBJECT
  public:
    explicit AboutBox(LinkActions& links, QWidget* parent = nullptr);

    // Caption, version and tooltips, as at each opening.
    void load();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    LinkActions& links_;
    QLabel* description_ = nullptr;
    QLabel* version_ = nullptr;
    QPushButton* ok_ = nullptr;
    LinkLabels labels_;
};

using 关于 = AboutBox;

}  // namespace muwu
