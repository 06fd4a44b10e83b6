#pragma once
// A caption that acts as a button: a mouse press on it, or Enter or Space while it has the focus,
// presses it. It looks like a link (link colour, underlined and brighter under the mouse, a
// pointing hand), takes the focus by Tab and shows it, and reads as a button to a screen reader (a
// link, for a label made a link).
#include <QLabel>
#include <QPoint>

namespace muwu {

class PressLabel : public QLabel {
    Q_OBJECT
  public:
    PressLabel(const QString& text, QWidget* parent);

    // Pressed as from the keyboard: at the label's lower left corner.
    void press();

    // What a screen reader is told it is: a button that pops up a menu (the default), or a link.
    enum class Kind { menuButton, link };
    void setKind(Kind kind) noexcept { kind_ = kind; }
    [[nodiscard]] Kind kind() const noexcept { return kind_; }

    // The colours of the caption at rest and under the mouse.
    static const QColor kLinkColour;
    static const QColor kHoverColour;

    [[nodiscard]] bool hovered() const noexcept { return hovered_; }

  signals:
    void pressed(const QPoint& globalPos);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void showHover(bool on);

    Kind kind_ = Kind::menuButton;
    bool hovered_ = false;
};

}  // namespace muwu
