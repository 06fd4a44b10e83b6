#pragma once
// 水平进度条: a thin horizontal bar for an integer between a minimum and a maximum, a 3-pixel
// stroke in 进度条色 with a 1-pixel white line along its middle, over 背景色. The rules live in
// progress_rules; this widget only holds them and paints.
#include <QColor>
#include <QWidget>
#include <cstdint>

#include "controls/progress_properties.h"
#include "controls/progress_rules.h"

namespace muwu {

class ProgressBar : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressBar(QWidget* parent = nullptr);

    [[nodiscard]] std::int32_t max() const noexcept { return state_.maximum; }
    void setMax(std::int32_t m);
    [[nodiscard]] std::int32_t Min() const noexcept { return state_.minimum; }
    void setMin(std::int32_t m);
    [[nodiscard]] std::int32_t Value() const noexcept { return state_.Value(); }
    void setValue(std::int32_t v);

    [[nodiscard]] QColor 背景色() const { return background_; }
    void set背景色(const QColor& c);
    [[nodiscard]] QColor 进度条色() const { return bar_; }
    void set进度条色(const QColor& c);
    [[nodiscard]] bool 刷新() const noexcept { return refresh_; }
    void set刷新(bool on) noexcept { refresh_ = on; }
    void 绘控件();

    // The strokes as the rules last placed them, in twips.
    [[nodiscard]] const ProgressLine& redLine() const noexcept { return state_.red; }
    [[nodiscard]] const ProgressLine& whiteLine() const noexcept { return state_.white; }

    // The host window's property store.
    void readProperties(const controls::PropertyBag& bag);
    void writeProperties(controls::PropertyBag& bag) const;

    [[nodiscard]] QSize sizeHint() const override;

  signals:
    void Change();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    [[nodiscard]] double twipsPerPixel() const;
    // Carries out what the rules asked for: repaints and Change events, in order.
    void apply();
    // 绘控件, unless the strokes would land on the pixels they already cover.
    void drawIfMoved();

    ProgressState state_;
    QColor background_{192, 192, 192};
    QColor bar_{255, 0, 0};
    bool refresh_ = false;
    bool drawn_ = false;
    QPoint drawnEnds_;
};

}  // namespace muwu
