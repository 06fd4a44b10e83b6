#include "naming/naming_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "controls/mw_button.h"
#include "controls/qt_colour.h"
#include "names/char_data.h"
#include "names/main_window.h"
#include "names/score.h"
#include "names/version.h"
#include "naming/draw_rules.h"
#include "naming/name_list_window.h"
#include "naming/window_evaluator.h"
#include "platform/accessibility.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "platform/text.h"
#include "platform/ui_fonts.h"

namespace muwu {

namespace {

double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

// The frame's caption sits on its top edge, as in the main window.
QString frameStyle(const QFont& font) {
    const int half = QFontMetrics(font).height() / 2;
    return QStringLiteral(
               "QGroupBox { border: 2px groove palette(mid); margin-top: %1px; }"
               "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
               " left: 6px; padding: 0px 1px; }")
        .arg(half);
}

}  // namespace

// The window's controls as the engine reads and writes them.
class NamingWindow::Panel final : public NamingPanel {
  public:
    Panel(QWidget& window, const NamingWindowControls& c) : window_(window), c_(c) {}

    [[nodiscard]] std::u16string prefix() const override {
        return c_.Text1->text().toStdU16String();
    }
    [[nodiscard]] std::u16string suffix() const override {
        return c_.Text2->text().toStdU16String();
    }
    [[nodiscard]] std::u16string countText() const override {
        return c_.求的字数->currentText().toStdU16String();
    }
    [[nodiscard]] std::u16string limitText() const override {
        return c_.字复杂程度->currentText().toStdU16String();
    }
    [[nodiscard]] int 词义Value() const override {
        switch (c_.词义->checkState()) {
            case Qt::Unchecked:
                return 0;
            case Qt::Checked:
                return 1;
            case Qt::PartiallyChecked:
                return 2;
        }
        return 0;
    }
    // Its own visibility, whether or not the window is on screen.
    [[nodiscard]] bool 词义Visible() const override { return !c_.词义->isHidden(); }
    void show来自词(bool visible) override {
        c_.来自词->setVisible(visible);
        // The run does not return to the event loop until it ends; paint the change now.
        if (window_.isVisible())
            window_.repaint();
    }
    void set来自词(std::u16string_view caption) override { c_.来自词->setText(qs(caption)); }
    void set属性(std::u16string_view caption) override { c_.属性->setText(qs(caption)); }

  private:
    QWidget& window_;
    const NamingWindowControls& c_;
};

NamingWindow::NamingWindow(MainWindow& main, NamingWindowOptions options)
    // Of a fixed size, as the main window: no maximise button.
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      main_(main),
      options_(std::move(options)),
      random_(options_.seed) {
    setObjectName(QStringLiteral("取名窗"));
    setWindowTitle(QStringLiteral("取名窗"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(songTi(9));
    buildNamingWindowControls(this, screenDpi(), c_);
    // On the frame alone: a style sheet on the window would reach into its message boxes and
    // drop the 宋体 fallbacks from their fonts.
    c_.Frame1->setStyleSheet(frameStyle(font()));
    c_.出生板->setStyleSheet(frameStyle(font()));
    showOnlyShownChildren(this);

    panel_ = std::make_unique<Panel>(*this, c_);
    evaluator_ = std::make_unique<WindowEvaluator>(main_);

    // Load: the prefix and suffix start empty, and the word list is read whole.
    c_.Text1->clear();
    c_.Text2->clear();
    words_ = loadWordList(main_.data().folder() / std::filesystem::path(toUtf8(kWordListName)));
    if (words_.status != WordListStatus::ok) {
        // Word mode is off: with 词义 unticked every run draws single characters.
        const QString problem = qs(wordListProblem(words_));
        c_.词义->setChecked(false);
        c_.词义->setEnabled(false);
        c_.词义->setToolTip(problem);
        pendingNotice_ = problem;
    } else if (!words_.damage.empty()) {
        // The sound words still serve; the user learns that some were lost.
        pendingNotice_ = QString::fromStdString(words_.damage);
    }

    connect(c_.求名, &MWButton::Click, this, [this] { press求名(); });
    // Enter in a field presses 求名, as in a dialog whose default button it is.
    for (QWidget* field : {static_cast<QWidget*>(c_.Text1), static_cast<QWidget*>(c_.Text2),
                           static_cast<QWidget*>(c_.求的字数), static_cast<QWidget*>(c_.字复杂程度),
                           static_cast<QWidget*>(c_.求的字数->lineEdit()),
                           static_cast<QWidget*>(c_.字复杂程度->lineEdit()),
                           static_cast<QWidget*>(c_.性别), static_cast<QWidget*>(c_.出生时间),
                           static_cast<QWidget*>(c_.时区)})
        field->installEventFilter(this);
    attachNameListButton(*this, *c_.求名, main_, [this] {
                             return NameListStart{c_.Text1->text(), c_.Text2->text(),
                                                  c_.性别->currentIndex(), c_.出生时间->text(),
                                                  c_.时区->text()};
                         });
    for (QLineEdit* field : {c_.出生时间, c_.时区})
        connect(field, &QLineEdit::textChanged, this, [this] { birthChanged(); });
    birthChanged();
    connect(c_.求的字数->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { countTyped(text); });
    connect(c_.求的字数, &QComboBox::activated, this, [this] {
        try {
            countPicked();
        } catch (...) {
        }
    });
}

NamingWindow::~NamingWindow() = default;

NamingEngine& NamingWindow::engine() {
    if (options_.pools) {
        if (!engine_)
            engine_ = std::make_unique<NamingEngine>(*evaluator_, *panel_, random_, options_.pools,
                                                     words_.words);
        return *engine_;
    }
    const int gender = c_.性别->currentIndex();
    const std::u16string supply =
        birth_.status == BirthReading::Status::ok ? birth_.absent : std::u16string();
    if (!engine_ || gender != engineGender_ || supply != engineSupply_) {
        CharacterData& characters = main_.data();
        const PoolSource lists = [&characters](int strokes) {
            return characters.strokePool(strokes);
        };
        DrawOptions draw;
        draw.gender = gender == 1 ? Gender::male : gender == 2 ? Gender::female : Gender::any;
        DrawRules rules = tableDrawRules(lists, draw, attributesOf(characters));
        rules.supply = supply;
        engine_ = std::make_unique<NamingEngine>(*evaluator_, *panel_, random_,
                                                 admittedPools(lists, draw, false), words_.words,
                                                 std::move(rules));
        engineGender_ = gender;
        engineSupply_ = supply;
    }
    return *engine_;
}

RunResult NamingWindow::run() {
    return engine().run();
}

void NamingWindow::birthChanged() {
    birth_ = readBirth(c_.出生时间->text().toStdU16String(), c_.时区->text().toStdU16String(),
                       systemZoneinfo());
    const QString summary = qs(birthSummary(birth_));
    c_.八字->setText(summary.isEmpty() ? QStringLiteral("可不填；填了就优先取补八字所缺五行的字")
                                       : summary);
    c_.八字->setToolTip(summary);
    QPalette p = palette();
    if (birth_.status == BirthReading::Status::refused)
        p.setColor(QPalette::WindowText, controls::toQColor(kRed));
    c_.八字->setPalette(p);
}

void NamingWindow::press求名() noexcept {
    try {
        lastRun_.reset();
        if (birth_.status == BirthReading::Status::refused) {
            // The birth moment the user gave cannot be read; a run without it is not what was
            // asked for.
            notice(qs(birth_.problem), QStringLiteral("取名消息"), true);
            return;
        }
        const RunResult& result = lastRun_.emplace(run());
        // The run brought the main window forward; this window stays above it all the same,
        // also where the window system leaves staying on top to the window itself.
        raise();
        if (result.outcome != RunOutcome::accepted)
            notice(qs(messageOf(result.outcome)), QStringLiteral("取名消息"),
                   result.outcome != RunOutcome::timedOut);
    } catch (const std::exception& e) {
        try {
            notice(QStringLiteral("取名没有完成：") + QString::fromUtf8(e.what()),
                   QStringLiteral("错误"), true);
        } catch (...) {
        }
    } catch (...) {
    }
}

void NamingWindow::countTyped(const QString& text) noexcept {
    // A typed count equal to an entry would count as a pick when the field loses focus, as the
    // combo box reports it so; keeping that entry current while typing leaves nothing to report.
    try {
        const int entry = c_.求的字数->findText(text);
        if (entry >= 0 && entry != c_.求的字数->currentIndex()) {
            const QSignalBlocker quiet(c_.求的字数);
            c_.求的字数->setCurrentIndex(entry);
        }
    } catch (...) {
    }
}

void NamingWindow::countPicked() {
    c_.词义->setVisible(numberOf(c_.求的字数->currentText().toStdU16String()) == 2);
}

bool NamingWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (!key->isAutoRepeat())
                c_.求名->setValue(true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void NamingWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes the window, as it closes a dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool NamingWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        try {
            stayOnTop();
        } catch (...) {
        }
    }
    return QWidget::event(event);
}

void NamingWindow::stayOnTop() {
    // Asserted again at every activation, in case something took the flag away.
    if (!windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        show();
    }
    raise();
}

void NamingWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (pendingNotice_.isEmpty())
        return;
    try {
        notice(std::exchange(pendingNotice_, QString()), QStringLiteral("词库消息"), true);
    } catch (...) {
    }
}

QMessageBox* NamingWindow::notice(const QString& text, const QString& objectName, bool warning) {
    // Nothing waits on the user's OK, but nothing else takes input before it either, so a second
    // 求名 cannot pile a second box on the first.
    auto* box = new QMessageBox(warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                                qs(applicationTitle()), text, QMessageBox::Ok, this);
    box->setObjectName(objectName);
    box->setFont(font());  // a window does not take its parent's font by itself
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    return box;
}

NamingWindowHost::NamingWindowHost(MainWindow& main, NamingWindowOptions options)
    : QObject(&main), main_(main), options_(std::move(options)) {}

NamingWindowHost::~NamingWindowHost() {
    delete window_.data();
}

void NamingWindowHost::show() {
    if (!window_) {
        window_ = new NamingWindow(main_, options_);
        openBeside(window_, &main_);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void attachNamingWindow(MainWindow& main, NamingWindowOptions options) {
    auto* host = new NamingWindowHost(main, std::move(options));
    main.setNamingWindow([host] { host->show(); });
}

NamingWindow* namingWindowOf(const MainWindow& main) {
    const auto* host = main.findChild<NamingWindowHost*>(QString(), Qt::FindDirectChildrenOnly);
    return host ? host->window() : nullptr;
}

}  // namespace muwu
