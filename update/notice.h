#pragma once
// 显示提示: the update's notice. A modal window whose label 提示 carries the text; the mouse
// pointer is the default one while it is open and comes back as it was afterwards.
#include <QDialog>
#include <QString>

class QLabel;

namespace muwu {

class NoticeWindow : public QDialog {
    Q_OBJECT
  public:
    // A notice the user closes with 确定; or one that stays, not modal, while the program waits,
    // with 取消 to give up the wait (rejected).
    enum class Kind { notice, waiting };
    explicit NoticeWindow(const QString& text, QWidget* parent = nullptr, Kind kind = Kind::notice);
    [[nodiscard]] QLabel* 提示() const noexcept { return label_; }

  private:
    QLabel* label_ = nullptr;
};

// Shows the notice and returns when the user has closed it.
void 显示提示(const QString& text, QWidget* parent = nullptr);

}  // namespace muwu
