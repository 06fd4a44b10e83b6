#pragma once
// A one-line text box that shows a long text whole as far as it can: its font shrinks with the
// text, down to a least size that still reads as well as the window's own captions; beyond that
// the text scrolls, as in any box. A text that fits is shown in the box's own font.
#include <QFont>
#include <QLineEdit>

namespace muwu {

class FitLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit FitLineEdit(QWidget* parent);

    // The font of short texts, and the least size a long one shrinks to.
    void setFitFont(const QFont& font, double leastPointSize);
    [[nodiscard]] const QFont& fitFont() const noexcept { return own_; }

    // Fits the font to the text; runs at every change of the text that is signalled, and is to be
    // called after a change made with the signals blocked.
    void fitText();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QFont own_;
    double least_ = 9.0;
};

}  // namespace muwu
