#include "platform/screen_fit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace muwu {

QRect availableArea(const QWidget* w) {
    const QScreen* screen = w ? w->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QSize frameAllowance(const QWidget* window) {
    if (window->isVisible() && window->frameGeometry().size() != window->size())
        return window->frameGeometry().size() - window->size();
    // A title bar and thin borders, as most window managers draw them.
    return {8, 36};
}

QPoint keepInside(const QRect& frame, const QRect& area) noexcept {
    int x = std::min(frame.x(), area.x() + area.width() - frame.width());
    int y = std::min(frame.y(), area.y() + area.height() - frame.height());
    x = std::max(x, area.x());
    y = std::max(y, area.y());
    return {x, y};
}

void keepOnScreen(QWidget* window) {
    const QRect frame(window->pos(), window->size() + frameAllowance(window));
    const QPoint at = keepInside(frame, availableArea(window));
    if (at != window->pos())
        window->move(at);
}

QPoint placeBeside(const QRect& origin, QSize frame, const QRect& area,
                   const QList<QRect>& others) {
    constexpr int kGap = 8;
    const int w = frame.width(), h = frame.height();
    const QPoint wanted[] = {
        {origin.right() + 1 + kGap, origin.top()},
        {origin.right() + 1 + kGap, origin.bottom() + 1 - h},
        {origin.left() - kGap - w, origin.top()},
        {origin.left() - kGap - w, origin.bottom() + 1 - h},
        {origin.left(), origin.bottom() + 1 + kGap},
        {origin.right() + 1 - w, origin.bottom() + 1 + kGap},
        {origin.left(), origin.top() - kGap - h},
        {origin.right() + 1 - w, origin.top() - kGap - h},
    };
    const auto covered = [](const QRect& a, const QRect& b) {
        const QRect both = a.intersected(b);
        return both.isEmpty() ? qint64(0) : qint64(both.width()) * both.height();
    };
    // Where a window starts (its title and first row, its captions on the left) counts double.
    const QRect head(origin.topLeft(), QSize(origin.width(), origin.height() / 4));
    const QRect side(origin.topLeft(), QSize(origin.width() / 6, origin.height()));
    QPoint best;
    std::pair<qint64, qint64> bestCost{-1, 0};
    for (const QPoint& at : wanted) {
        const QRect place(keepInside(QRect(at, frame), area), frame);
        qint64 othersCovered = 0;
        for (const QRect& other : others)
            othersCovered += covered(place, other);
        const std::pair<qint64, qint64> cost{
            covered(place, origin) + covered(place, head) + covered(place, side), othersCovered};
        if (bestCost.first < 0 || cost < bestCost) {
            bestCost = cost;
            best = place.topLeft();
        }
    }
    return best;
}

QWidget* workingWindow(const QWidget* besides) {
    if (QWidget* active = QApplication::activeWindow(); active && active != besides)
        return active;
    QWidget* largest = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w == besides || !w->isVisible() || (type != Qt::Window && type != Qt::Dialog))
            continue;
        const auto size = [](const QWidget* v) { return qint64(v->width()) * v->height(); };
        if (!largest || size(w) > size(largest))
            largest = w;
    }
    return largest;
}

void openBeside(QWidget* window, QWidget* origin) {
    if (!origin)
        return;
    origin = origin->window();
    QList<QRect> others;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        // A window without a frame (the cover) lies behind the others by design.
        if (w != window && w != origin && w->isVisible() &&
            (type == Qt::Window || type == Qt::Dialog) &&
            !w->windowFlags().testFlag(Qt::FramelessWindowHint))
            others.append(w->frameGeometry());
    }
    const QRect area = availableArea(origin);
    const QSize frame = window->size() + frameAllowance(window);
    window->move(placeBeside(origin->frameGeometry(), frame.boundedTo(area.size()), area, others));
    // The window system keeps a window above the one it is transient for.
    window->winId();
    origin->winId();
    if (QWindow* handle = window->windowHandle())
        handle->setTransientParent(origin->windowHandle());
}

namespace {

// Waits for the first showing of its window, places it, and goes.
class FirstShow final : public QObject {
  public:
    explicit FirstShow(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show && !event->spontaneous()) {
            window_->removeEventFilter(this);
            openBeside(window_, workingWindow(window_));
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* window_;
};

}  // namespace

void openBesideWorkingWindowWhenShown(QWidget* window) {
    new FirstShow(window);
}

PanArea::PanArea(QWidget* window, QSize design)
    : QObject(window), window_(window), design_(design) {
    for (QObject* o : window->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow())
            children_.push_back({w, w->pos()});
    }
    bars_[0] = new QScrollBar(Qt::Horizontal, window);
    bars_[0]->setObjectName(QStringLiteral("横向滚动条"));
    bars_[0]->setAccessibleName(QStringLiteral("横向滚动"));
    bars_[1] = new QScrollBar(Qt::Vertical, window);
    bars_[1]->setObjectName(QStringLiteral("纵向滚动条"));
    bars_[1]->setAccessibleName(QStringLiteral("纵向滚动"));
    for (QScrollBar* bar : bars_) {
        // The keyboard reaches the controls themselves, which scroll into view.
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { place(); });
    }
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && window_->isAncestorOf(now))
            ensureVisible(now);
    });
}

void PanArea::setViewSize(QSize size) {
    size = size.boundedTo(design_);
    window_->setFixedSize(size);
    const int thick = window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bars_[1]);
    // One bar takes room from the other direction; two passes settle which are needed.
    bool across = false, down = false;
    for (int pass = 0; pass < 2; ++pass) {
        across = design_.width() > size.width() - (down ? thick : 0);
        down = design_.height() > size.height() - (across ? thick : 0);
    }
    const QSize view(size.width() - (down ? thick : 0), size.height() - (across ? thick : 0));
    bars_[0]->setVisible(across);
    bars_[1]->setVisible(down);
    bars_[0]->setGeometry(0, size.height() - thick, view.width(), thick);
    bars_[1]->setGeometry(size.width() - thick, 0, thick, view.height());
    bars_[0]->setRange(0, std::max(0, design_.width() - view.width()));
    bars_[1]->setRange(0, std::max(0, design_.height() - view.height()));
    for (int i = 0; i < 2; ++i) {
        const int length = i == 0 ? view.width() : view.height();
        bars_[i]->setPageStep(length);
        bars_[i]->setSingleStep(std::max(1, length / 20));
        bars_[i]->raise();
    }
    place();
}

void PanArea::ensureVisible(const QWidget* w) {
    const QRect shown(w->mapTo(window_, QPoint(0, 0)), w->size());
    const QRect view(0, 0, bars_[1]->isVisible() ? bars_[1]->x() : window_->width(),
                     bars_[0]->isVisible() ? bars_[0]->y() : window_->height());
    const auto scroll = [](QScrollBar* bar, int from, int to, int length) {
        if (to > length)
            bar->setValue(bar->value() + std::min(to - length, from));
        else if (from < 0)
            bar->setValue(bar->value() + from);
    };
    scroll(bars_[0], shown.left(), shown.right() + 1, view.width());
    scroll(bars_[1], shown.top(), shown.bottom() + 1, view.height());
}

bool PanArea::eventFilter(QObject* watched, QEvent* event) {
    // A wheel turned anywhere over the window that nothing under it used.
    if (watched == window_ && event->type() == QEvent::Wheel && bars_[1]->isVisible()) {
        QCoreApplication::sendEvent(bars_[1], event);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void PanArea::place() {
    const QPoint offset(bars_[0]->value(), bars_[1]->value());
    for (const Child& c : children_) {
        if (c.widget)
            c.widget->move(c.at - offset);
    }
}

}  // namespace muwu
