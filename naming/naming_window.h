#pragma once
// 取名窗: the naming window. It holds the engine's settings and its start button 求名, and reports
// on the last run; the name itself appears in the main window, which analyses it. It stays above
// the other windows, and a closed one is gone: the next 自动取名 creates it afresh.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "naming/birth_reading.h"
#include "naming/engine.h"
#include "naming/naming_window_controls.h"
#include "naming/random_source.h"
#include "naming/word_list.h"

class QMessageBox;

namespace muwu {

class MainWindow;
class WindowEvaluator;

struct NamingWindowOptions {
    UniformRandom::SeedSource seed;  // the time of day when empty
    // Empty: the main window's stroke lists, narrowed to the name table's first tier, the chosen
    // gender and the sound rules, and leaning to the elements the birth moment lacks. Given: these
    // pools as they are, with none of those rules.
    PoolSource pools;
};

class NamingWindow : public QWidget {
    Q_OBJECT
  public:
    // A top-level window of its own, beside main; it must not outlive main.
    explicit NamingWindow(MainWindow& main, NamingWindowOptions options = {});
    ~NamingWindow() override;

    // One run of the engine, as 求名 starts it, without the message at its end.
    RunResult run();

    // How the last press of 求名 ended; empty before the first and after one that failed.
    [[nodiscard]] const std::optional<RunResult>& lastRun() const noexcept { return lastRun_; }

    // 词库文本 and how reading it went.
    [[nodiscard]] const WordListLoad& wordList() const noexcept { return words_; }

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    class Panel;

    void press求名() noexcept;
    void countTyped(const QString& text) noexcept;
    void countPicked();
    void stayOnTop();
    void birthChanged();
    // The engine for the window's choices, made again when they change.
    NamingEngine& engine();
    QMessageBox* notice(const QString& text, const QString& objectName, bool warning);

    MainWindow& main_;
    NamingWindowOptions options_;
    NamingWindowControls c_;
    WordListLoad words_;
    UniformRandom random_;
    std::unique_ptr<Panel> panel_;
    std::unique_ptr<WindowEvaluator> evaluator_;
    QString pendingNotice_;
    std::optional<RunResult> lastRun_;
    BirthReading birth_;
    std::unique_ptr<NamingEngine> engine_;
    int engineGender_ = -1;
    std::u16string engineSupply_;
};

using 取名窗 = NamingWindow;

// What 自动取名 shows: the naming window, created on the first press and again after it was
// closed, shown without blocking the main window. It lives on the main window and takes the open
// naming window with it when the main window goes.
//
// The naming window is not a child widget of the main window: the main window's style sheet would
// then reach into it and drop the 宋体 fallbacks from its controls' fonts.
class NamingWindowHost : public QObject {
    Q_OBJECT
  public:
    NamingWindowHost(MainWindow& main, NamingWindowOptions options);
    ~NamingWindowHost() override;

    void show();
    // The open naming window; null before the first show and after it was closed.
    [[nodiscard]] NamingWindow* window() const noexcept { return window_; }

  private:
    MainWindow& main_;
    NamingWindowOptions options_;
    QPointer<NamingWindow> window_;
};

// Hangs the naming window on the main window's 自动取名.
void attachNamingWindow(MainWindow& main, NamingWindowOptions options = {});

// The naming window open over main, if any.
[[nodiscard]] NamingWindow* namingWindowOf(const MainWindow& main);

}  // namespace muwu
