#pragma once
// A caption that acts as a button: a mouse press on it, or Enter or Space while it has the focus,
// presses it. It takes the focus by Tab and shows it, and reads as a button to a screen reader.
#include <QLabel>
#include <QPoint>

namespace muwu {

class PressLabel : public QLabel {
    Q_OBJECT
  public:
    PressLabel(const QString& text, QWidget* parent);

    // Pressed as from the keyboard: at the label's lower left corner.
    void press();

  signals:
    void pressed(const QPoint& globalPos);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace muwu
