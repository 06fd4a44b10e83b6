// One run of 求名 that rejects all 32 candidates, through the real main window on the offscreen
// platform with the shipped data, set against one keystroke's analysis measured in the same run.
// 欧阳薛 has 51 strokes; two characters of one or two strokes make totals of 53 to 55, all
// unlucky, so every run times out after 32 analyses of five-character names. The keystrokes type
// and erase the last character of such a name.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <vector>

#include "controls/mw_button.h"
#include "names/main_window.h"
#include "naming/naming_window.h"
#include "platform/data_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

void press(QWidget* target, Qt::Key code, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
}

// Median seconds of one keystroke analysis on a name of the candidates' length.
double keystrokeSeconds(muwu::MainWindow& main) {
    auto* name = main.control<QLineEdit>(QStringLiteral("Text3"));
    name->setText(QStringLiteral("欧阳薛乀"));
    name->setCursorPosition(4);
    std::vector<double> samples;
    for (int i = 0; i < 400; ++i) {
        const auto start = Clock::now();
        if (i % 2 == 0) {
            press(name, Qt::Key_unknown, QStringLiteral("丶"));
        } else {
            press(name, Qt::Key_Backspace, QString());
        }
        samples.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    return median(samples);
}

struct Setup {
    muwu::MainWindow main{muwu::findDataFolder(muwu::programFolder()),
                          [](const std::filesystem::path&) {}};
    muwu::NamingWindow* naming = nullptr;
    std::uint64_t seed = 1;

    Setup() {
        main.show();
        muwu::NamingWindowOptions options;
        options.seed = [this] { return seed++; };
        muwu::attachNamingWindow(main, std::move(options));
        main.control<muwu::MWButton>(QStringLiteral("自动取名"))->setValue(true);
        naming = muwu::namingWindowOf(main);
        naming->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("欧阳薛"));
        naming->findChild<QComboBox*>(QStringLiteral("求的字数"))->setEditText(QStringLiteral("2"));
        naming->findChild<QComboBox*>(QStringLiteral("字复杂程度"))
            ->setEditText(QStringLiteral("2"));
        naming->findChild<QCheckBox*>(QStringLiteral("词义"))->setChecked(false);
        QApplication::processEvents();
    }
};

void report(benchmark::State& state, const std::vector<double>& runs, double keystroke) {
    const double run = median(runs);
    state.counters["run_median_us"] = run * 1e6;
    state.counters["keystroke_median_us"] = keystroke * 1e6;
    state.counters["run_per_32_keystrokes"] = run / (32 * keystroke);
}

void BM_RejectedRun(benchmark::State& state) {
    Setup s;
    const double keystroke = keystrokeSeconds(s.main);
    std::vector<double> runs;
    for (auto _ : state) {
        const auto start = Clock::now();
        const muwu::RunResult r = s.naming->run();
        const std::chrono::duration<double> took = Clock::now() - start;
        if (r.outcome != muwu::RunOutcome::timedOut || r.attempts != muwu::kMaxAttempts) {
            state.SkipWithError("a candidate was accepted");
            break;
        }
        state.SetIterationTime(took.count());
        runs.push_back(took.count());
    }
    if (!runs.empty())
        report(state, runs, keystroke);
}

// The same through the button, with the time-out message shown (and closed outside the timing).
void BM_RejectedRunWithMessage(benchmark::State& state) {
    Setup s;
    const double keystroke = keystrokeSeconds(s.main);
    auto* button = s.naming->findChild<muwu::MWButton*>(QStringLiteral("求名"));
    std::vector<double> runs;
    for (auto _ : state) {
        const auto start = Clock::now();
        button->setValue(true);
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        runs.push_back(took.count());
        for (QMessageBox* box : s.naming->findChildren<QMessageBox*>())
            delete box;
    }
    report(state, runs, keystroke);
}

}  // namespace

BENCHMARK(BM_RejectedRun)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RejectedRunWithMessage)->UseManualTime()->Unit(benchmark::kMicrosecond);
