#include "controls/progress_bar.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <limits>

#include "controls/qt_colour.h"
#include "platform/twips.h"

namespace muwu {

namespace {

// Tells assistive tools this is a progress bar and what it shows.
class AccessibleProgressBar : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit AccessibleProgressBar(QWidget* w) : QAccessibleWidget(w, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    [[nodiscard]] QVariant currentValue() const override { return bar()->Value(); }
    void setCurrentValue(const QVariant&) override {}
    [[nodiscard]] QVariant maximumValue() const override { return bar()->max(); }
    [[nodiscard]] QVariant minimumValue() const override { return bar()->Min(); }
    [[nodiscard]] QVariant minimumStepSize() const override { return 1; }

  private:
    [[nodiscard]] ProgressBar* bar() const { return static_cast<ProgressBar*>(widget()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("muwu::ProgressBar") && object && object->isWidgetType())
        return new AccessibleProgressBar(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    (void)installed;
    setAccessibleName(QStringLiteral("进度条"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(static_cast<int>(std::lround(kProgressHeight / twipsPerPixel())));
}

double ProgressBar::twipsPerPixel() const {
    const int dpi = logicalDpiX();
    return dpi > 0 ? kTwipsPerInch / dpi : 15.0;
}

QSize ProgressBar::sizeHint() const {
    return {static_cast<int>(std::lround(2700 / twipsPerPixel())),
            static_cast<int>(std::lround(kProgressHeight / twipsPerPixel()))};
}

void ProgressBar::apply() {
    auto events = std::move(state_.events);
    state_.events.clear();
    for (ProgressEvent e : events) {
        if (e == ProgressEvent::Draw)
            drawIfMoved();
        else
            emit Change();
    }
}

void ProgressBar::setMax(std::int32_t m) {
    writeMax(state_, m);
    apply();
}

void ProgressBar::setMin(std::int32_t m) {
    writeMin(state_, m);
    apply();
}

void ProgressBar::setValue(std::int32_t v) {
    writeValue(state_, v);
    apply();
}

namespace {

std::int32_t clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void ProgressBar::readProperties(const controls::PropertyBag& bag) {
    const ProgressProperties p = readProgressProperties(bag);
    state_.maximum = clamp32(p.maximum);
    state_.minimum = clamp32(p.minimum);
    writeValue(state_, readNumber(QString::fromStdU16String(p.value).toStdString()));
    apply();
    set背景色(controls::toQColor(p.background));
    set进度条色(controls::toQColor(p.bar));
    refresh_ = p.refresh;
}

void ProgressBar::writeProperties(controls::PropertyBag& bag) const {
    ProgressProperties p;
    p.maximum = state_.maximum;
    p.minimum = state_.minimum;
    p.value = QString::number(state_.value).toStdU16String();
    p.background = controls::fromQColor(background_);
    p.bar = controls::fromQColor(bar_);
    p.refresh = refresh_;
    writeProgressProperties(bag, p);
}

void ProgressBar::set背景色(const QColor& c) {
    background_ = c;
    绘控件();
}

void ProgressBar::set进度条色(const QColor& c) {
    bar_ = c;
    绘控件();
}

void ProgressBar::drawIfMoved() {
    // A transfer moves the value at every chunk, but the strokes move only every few kilobytes;
    // the picture is the same until a stroke's last pixel changes.
    const double k = twipsPerPixel();
    const QPoint ends(static_cast<int>(std::floor(state_.red.x2 / k)),
                      static_cast<int>(std::floor(state_.white.x2 / k)));
    if (drawn_ && ends == drawnEnds_ && !refresh_)
        return;
    drawn_ = true;
    drawnEnds_ = ends;
    绘控件();
}

void ProgressBar::绘控件() {
    if (refresh_)
        repaint();
    else
        update();
}

void ProgressBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    if (state_.maximum == 0)
        return;  // with no maximum the strokes have no place
    const double k = twipsPerPixel();
    auto point = [k](float x, float y) { return QPointF(x / k, y / k); };
    // Pixel centres: a stroke through y = 1 covers rows 0 to 2.
    const QPointF half(0.5, 0.5);
    QPen pen(bar_, 3, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(point(state_.red.x1, state_.red.y1) + half,
               point(state_.red.x2, state_.red.y2) + half);
    pen.setColor(Qt::white);
    pen.setWidth(1);
    p.setPen(pen);
    p.drawLine(point(state_.white.x1, state_.white.y1) + half,
               point(state_.white.x2, state_.white.y2) + half);
}

void ProgressBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    drawn_ = false;
    muwu::resize(state_, static_cast<std::int32_t>(std::lround(width() * twipsPerPixel())));
    apply();
}

void ProgressBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    checkAndDraw(state_);
    apply();
}

}  // namespace muwu
