// One keystroke in the main window's name box until every label and text box shows the new
// analysis, on the offscreen platform, with the shipped data. The keys cycle through typing and
// erasing two names, one with a double surname, so every kind of step is measured.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "names/main_window.h"
#include "platform/data_folder.h"

namespace {

struct Key {
    Qt::Key code;
    QString text;
};

std::vector<Key> keyCycle() {
    std::vector<Key> keys;
    for (const QString& name : {QStringLiteral("欧阳修"), QStringLiteral("张三丰")}) {
        for (const QChar c : name)
            keys.push_back({Qt::Key_unknown, QString(c)});
        for (qsizetype i = 0; i < name.size(); ++i)
            keys.push_back({Qt::Key_Backspace, QString()});
    }
    return keys;
}

void press(QWidget* target, const Key& key) {
    QKeyEvent down(QEvent::KeyPress, key.code, Qt::NoModifier, key.text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key.code, Qt::NoModifier, key.text);
    QApplication::sendEvent(target, &up);
}

void keystrokes(benchmark::State& state, bool paint) {
    muwu::MainWindow window(muwu::findDataFolder(muwu::programFolder()), [](const auto&) {});
    window.show();
    QApplication::processEvents();
    auto* name = window.control<QLineEdit>(QStringLiteral("Text3"));
    const std::vector<Key> keys = keyCycle();
    std::vector<double> samples;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        press(name, keys[i++ % keys.size()]);
        if (paint)
            QApplication::processEvents();  // the repaint of what changed
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        samples.push_back(took.count());
    }
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    state.counters["median_us"] = samples[samples.size() / 2] * 1e6;
}

void BM_KeystrokeToControls(benchmark::State& state) {
    keystrokes(state, false);
}
void BM_KeystrokeToPixels(benchmark::State& state) {
    keystrokes(state, true);
}

}  // namespace

BENCHMARK(BM_KeystrokeToControls)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeToPixels)->UseManualTime()->Unit(benchmark::kMicrosecond);
