// The owner-drawn button on the offscreen platform: one repaint of a 120 × 30 button whose face
// strips are in the shared cache, one whose strips must be generated, and one hover (enter and
// leave, each a repaint).
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QMouseEvent>

#include "controls/mw_button.h"

namespace {

using muwu::MWButton;

struct Shown {
    QWidget host;
    MWButton* button = new MWButton(QStringLiteral("报表"), &host);
    Shown() {
        host.resize(200, 60);
        button->setGeometry(10, 10, 120, 30);
        host.show();
        QApplication::processEvents();
        button->repaint();
        button->重绘();  // the second painting of a look stores the entry every later one reads
        button->repaint();
    }
};

void BM_RepaintCacheHit(benchmark::State& state) {
    Shown s;
    const int before = s.button->faceRenderCount();
    for (auto _ : state) {
        s.button->变色处理();
        s.button->repaint();
    }
    state.counters["renders_per_repaint"] =
        double(s.button->faceRenderCount() - before) / double(state.iterations());
}

// The face alone, drawn into the button's picture from cached strips, without the screen.
void BM_FaceCacheHit(benchmark::State& state) {
    Shown s;
    for (auto _ : state)
        s.button->变色处理();
}

void BM_RepaintCacheMiss(benchmark::State& state) {
    Shown s;
    muwu::controls::Colour colour = 1;
    for (auto _ : state) {
        // A colour never painted before: its gradient is generated and stored.
        s.button->set按键色(colour++);
        s.button->repaint();
    }
}

void BM_HoverEnterLeave(benchmark::State& state) {
    Shown s;
    QPoint cursor;
    MWButton::setCursorQuery([&] { return cursor; });
    const QPointF inside(60, 15);
    const int before = s.button->faceRenderCount();
    for (auto _ : state) {
        cursor = s.button->mapToGlobal(inside.toPoint());
        QMouseEvent move(QEvent::MouseMove, inside, s.button->mapToGlobal(inside), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(s.button, &move);
        s.button->repaint();
        cursor = QPoint(-1000, -1000);
        s.button->checkLeave();
        s.button->repaint();
    }
    state.counters["renders_per_hover"] =
        double(s.button->faceRenderCount() - before) / double(state.iterations());
    MWButton::setCursorQuery({});
}

}  // namespace

BENCHMARK(BM_RepaintCacheHit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FaceCacheHit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintCacheMiss)->Iterations(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverEnterLeave)->Unit(benchmark::kMicrosecond);
