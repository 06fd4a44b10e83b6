#pragma once
// Windows on small screens: every window stays on the screen's free area, and a window designed
// larger than the screen shows its controls under scroll bars instead of losing them off-screen.
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

class QScrollBar;
class QWidget;

namespace muwu {

// The part of w's screen (else the primary screen) that windows may take.
[[nodiscard]] QRect availableArea(const QWidget* w);

// Room around a client area for the window manager's frame: measured once shown, else a guess.
[[nodiscard]] QSize frameAllowance(const QWidget* window);

// Where a frame goes: where it is, moved in as little as needed to lie inside area (its top left
// corner first when it is larger).
[[nodiscard]] QPoint keepInside(const QRect& frame, const QRect& area) noexcept;

// Moves a window so that its frame lies on its screen's free area.
void keepOnScreen(QWidget* window);

// Where a frame of the given size goes when its window is opened from the window whose frame is
// origin: whole on area, clear of origin where area has room for that, else covering as little of
// it as can be, its top quarter and left sixth (title, first controls, captions) counted double;
// among places that do equally, the one covering least of others, then right of origin, left,
// below, above.
[[nodiscard]] QPoint placeBeside(const QRect& origin, QSize frame, const QRect& area,
                                 const QList<QRect>& others = {});

// Places window (not yet shown) beside origin by placeBeside, clear also of the program's other
// open windows where it can be, and keeps it above origin: where it covers origin, origin never
// comes over it.
void openBeside(QWidget* window, QWidget* origin);

// The window the user works in: the active one, else the largest open one; null when none is open.
[[nodiscard]] QWidget* workingWindow(const QWidget* besides);

// For a window opened from code that knows no window of the program: the first time it is shown,
// openBeside the window the user works in.
void openBesideWorkingWindowWhenShown(QWidget* window);

// Lets a window designed at a fixed size be smaller: the window's own children move under a
// horizontal and a vertical scroll bar, and the control with the focus is scrolled into view.
class PanArea : public QObject {
    Q_OBJECT
  public:
    PanArea(QWidget* window, QSize design);

    // Gives the window this fixed size; the bars show where the design does not fit.
    void setViewSize(QSize size);
    [[nodiscard]] QScrollBar* horizontal() const noexcept { return bars_[0]; }
    [[nodiscard]] QScrollBar* vertical() const noexcept { return bars_[1]; }
    // Scrolls as little as needed for w (inside the window) to be in view.
    void ensureVisible(const QWidget* w);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();

    QWidget* window_;
    QSize design_;
    QScrollBar* bars_[2] = {nullptr, nullptr};
    struct Child {
        QPointer<QWidget> widget;
        QPoint at;
    };
    std::vector<Child> children_;
};

}  // namespace muwu
