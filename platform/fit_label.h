#pragma once
// A one-line label that never cuts its text without a sign: the font shrinks until the text fits,
// down to a readable least size (or not at all, for a label set not to shrink); beyond that the
// text ends in … and the whole text is its tooltip.
#include <QFont>
#include <QLabel>
#include <QString>

namespace muwu {

class FitLabel : public QLabel {
    Q_OBJECT
  public:
    // Below this the characters of a CJK face lose their inner strokes on screen.
    static constexpr double kLeastPointSize = 7.0;

    FitLabel(const QString& text, QWidget* parent);

    // What the label stands for ("姓"): a screen reader says it before the text, and alone while
    // the label is empty.
    void setCaption(const QString& caption) { caption_ = caption; }
    [[nodiscard]] const QString& caption() const noexcept { return caption_; }

    // A label beside others of its size keeps its font and only elides, so it never stands out
    // in smaller print.
    void setShrinks(bool shrinks) {
        shrinks_ = shrinks;
        update();
    }

    // How the text is drawn at the label's present width.
    struct Fit {
        QFont font;
        QString shown;
        bool elided = false;
    };
    [[nodiscard]] Fit fit() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QString caption_;
    bool shrinks_ = true;
};

}  // namespace muwu
