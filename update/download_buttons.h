#pragma once
// The download window's three command buttons, made in this one place: what the window needs of
// them is a Click signal, a caption, Enabled and a Value that presses them from code.
#include <QPushButton>
#include <QString>
#include <functional>

namespace muwu {

// Stands in for the owner-drawn button until the window takes that one.
class DownloadButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;
    [[nodiscard]] QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }
    [[nodiscard]] bool Value() const noexcept { return false; }
    // True presses the button: its Click runs to the end before this returns.
    void setValue(bool pressed) {
        if (pressed)
            emit Click();
    }

  signals:
    void Click();

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

[[nodiscard]] DownloadButton* makeDownloadButton(QWidget* parent, const QString& name,
                                                 const QString& caption);

}  // namespace muwu
