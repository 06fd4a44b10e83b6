#include "names/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>

#include "controls/mw_button.h"
#include "controls/qt_colour.h"
#include "lexicon/pinyin.h"
#include "names/char_data.h"
#include "names/entry_box.h"
#include "names/report.h"
#include "names/score.h"
#include "platform/accessibility.h"
#include "platform/fit_label.h"
#include "platform/fit_line_edit.h"
#include "platform/press_label.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "platform/ui_fonts.h"
#include "shell/system_folders.h"

namespace muwu {

namespace {

void showText(QLabel* label, const std::u16string& text) {
    const QString t = qs(text);
    if (label->text() != t)
        label->setText(t);
}

void showText(QLineEdit* edit, const std::u16string& text) {
    const QString t = qs(text);
    if (edit->text() != t)
        edit->setText(t);
}

double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

QString todayShort() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

// At most this many data problems are listed in the notice's text; all are in its details.
constexpr std::size_t kProblemsListed = 5;

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& dataFolder, FileOpener opener, QWidget* parent)
    : QWidget(parent),
      data_(std::make_unique<CharacterData>(dataFolder)),
      form_(*data_),
      opener_(std::move(opener)),
      today_(todayShort) {
    setObjectName(QStringLiteral("主窗"));
    // Its size is fixed: no maximise button offers to grow it.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(songTi(9));
    buildMainWindowControls(this, screenDpi(), c_);
    shownText_.fill(std::u16string());
    shownColour_.fill(kGreen);
    for (EntryBox* box :
         {c_.Text4, c_.gridBoxes[0], c_.gridBoxes[1], c_.gridBoxes[2], c_.gridBoxes[3]}) {
        QPalette p = box->palette();
        p.setColor(QPalette::Text, controls::toQColor(kGreen));
        box->setPalette(p);
    }
    connectControls();
    showOnlyShownChildren(this);
    fitToScreen();
    handle([this] { form_.load(); });
    c_.Text3->setFocus();
}

void MainWindow::fitToScreen() {
    const double dpi = screenDpi();
    const QSize design(twipsToPixels(kMainWindowWidthTwips, dpi),
                       twipsToPixels(kMainWindowHeightTwips, dpi));
    const QRect area = availableArea(this);
    const QSize room = area.size() - frameAllowance(this);
    if (design.width() > room.width() || design.height() > room.height()) {
        // Too small a screen: the window takes what there is and scrolls its controls.
        pan_ = new PanArea(this, design);
        pan_->setViewSize(design.boundedTo(room));
    }
    // Centred on the screen, as the cover is, so it covers the cover whole.
    QRect frame(QPoint(0, 0), size() + frameAllowance(this));
    frame.moveCenter(area.center());
    move(keepInside(frame, area));
}

MainWindow::~MainWindow() = default;

void MainWindow::setReportDate(std::function<QString()> today) {
    today_ = std::move(today);
}

void MainWindow::setHelpMenu(std::function<void(const QPoint&)> popUp) {
    helpMenu_ = std::move(popUp);
}

void MainWindow::setNamingWindow(std::function<void()> show) {
    namingWindow_ = std::move(show);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closing();
}

QWidget* MainWindow::control(const QString& name) const {
    return findChild<QWidget*>(name);
}

void MainWindow::restore自动识别姓氏(bool ticked) noexcept {
    handle([&] { form_.restore自动识别姓氏(ticked); });
}

void MainWindow::showMissingCharacters() {
    const MainForm& f = form_;
    QString tip;
    if (!f.missingCharacters.empty()) {
        // Listed one by one, so a space or a look-alike can be told apart.
        QStringList each;
        const QString missing = qs(f.missingCharacters);
        for (qsizetype i = 0; i < missing.size(); ++i) {
            const qsizetype n = missing.at(i).isHighSurrogate() && i + 1 < missing.size() ? 2 : 1;
            const QString c = missing.mid(i, n);
            each << (c.trimmed().isEmpty() ? QStringLiteral("空格")
                                           : QStringLiteral("“%1”").arg(c));
            i += n - 1;
        }
        tip = !leadingNumber(f.总笔画数)
                  ? QStringLiteral("笔画表中没有这些字：%1。无法评分。")
                  : QStringLiteral("笔画表中没有：%1。评分和各格不计这些字。");
        tip = tip.arg(each.join(u'、'));
    }
    if (c_.Text3->toolTip() == tip)
        return;
    c_.Text3->setToolTip(tip);
    c_.Text3->setAccessibleDescription(tip);
    // A warm ground says at a glance that the figures leave something out.
    QPalette p = c_.Text3->palette();
    p.setColor(QPalette::Base,
               tip.isEmpty() ? palette().color(QPalette::Base) : QColor(255, 236, 214));
    c_.Text3->setPalette(p);
}

void MainWindow::求评分() {
    handle([this] { form_.求评分(); });
}

template <typename Action>
void MainWindow::handle(Action&& action) noexcept {
    try {
        action();
    } catch (const std::exception& e) {
        try {
            notice(QStringLiteral("操作没有完成：") + QString::fromUtf8(e.what()),
                   QStringLiteral("错误"));
        } catch (...) {
        }
    } catch (...) {
    }
    try {
        refresh();
        collectProblems();
        if (isVisible())
            showProblems();
    } catch (...) {
        // Nothing sensible is left to do here; the next event shows the state again.
    }
}

void MainWindow::connectControls() {
    connect(c_.Text3, &QLineEdit::textChanged, this, [this](const QString& text) {
        handle([&] { form_.setText3(text.toStdU16String()); });
    });
    connect(c_.Text1, &QLineEdit::textChanged, this, [this](const QString& text) {
        handle([&] { form_.setText1(text.toStdU16String()); });
    });
    connect(c_.姓长度, &QScrollBar::valueChanged, this,
            [this](int value) { handle([&] { form_.set姓长度(value); }); });
    c_.姓长度->installEventFilter(this);
    connect(c_.自动识别姓氏, &QCheckBox::toggled, this,
            [this](bool ticked) { handle([&] { form_.set自动识别姓氏(ticked); }); });

    // Selection by keyboard moves the option only (the surname options take the length along);
    // the mouse release (eventFilter) analyses.
    const auto onSelect = [this](QRadioButton* button, void (MainForm::*select)()) {
        connect(button, &QRadioButton::toggled, this, [this, select](bool on) {
            if (on)
                handle([&] { (form_.*select)(); });
        });
        button->installEventFilter(this);
    };
    onSelect(c_.人名, &MainForm::select人名);
    onSelect(c_.公司名, &MainForm::select公司名);
    onSelect(c_.单姓, &MainForm::keySelect单姓);
    onSelect(c_.复姓, &MainForm::keySelect复姓);

    const auto onClick = [this](QPushButton* button, auto&& action) {
        connect(button, &QPushButton::clicked, this, [this, action] { handle(action); });
    };
    onClick(c_.简体转换为繁体, [this] { form_.press简体转换为繁体(); });
    onClick(c_.求笔画, [this] { form_.press求笔画(); });
    onClick(c_.求全称属性, [this] { form_.press求全称属性(); });
    onClick(c_.gridButtons[0], [this] { form_.press求天格(); });
    onClick(c_.gridButtons[1], [this] { form_.press求人格(); });
    onClick(c_.gridButtons[2], [this] { form_.press求地格(); });
    onClick(c_.gridButtons[3], [this] { form_.press求外格(); });

    connect(c_.Label4, &PressLabel::pressed, this, [this](const QPoint& at) {
        if (helpMenu_)
            handle([&] { helpMenu_(at); });
    });
    connect(c_.报表, &MWButton::Click, this, [this] { handle([this] { writeReport(); }); });
    connect(c_.自动取名, &MWButton::Click, this,
            [this] { handle([this] { openNamingWindow(); }); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.姓长度 && event->type() == QEvent::KeyPress) {
        // Qt's scroll bar leaves the arrow keys to its parent; here they step the length.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Down || key == Qt::Key_Right ||
            key == Qt::Key_Up) {
            const bool up = key == Qt::Key_Right || key == Qt::Key_Up;
            c_.姓长度->triggerAction(up ? QAbstractSlider::SliderSingleStepAdd
                                        : QAbstractSlider::SliderSingleStepSub);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* button = qobject_cast<QRadioButton*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A release over the button after a press on it, as Qt delivers it; a release dragged
        // off the button cancels, as it does for a click.
        if (button && button->isEnabled() && mouse->button() == Qt::LeftButton &&
            button->rect().contains(mouse->position().toPoint())) {
            if (button == c_.人名)
                handle([this] { form_.release人名(); });
            if (button == c_.公司名)
                handle([this] { form_.release公司名(); });
            if (button == c_.单姓)
                handle([this] { form_.release单姓(); });
            if (button == c_.复姓)
                handle([this] { form_.release复姓(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    try {
        showProblems();
    } catch (...) {
        // The problems stay listed for the next event to show.
    }
}

void MainWindow::refresh() {
    const MainForm& f = form_;
    // Handlers of the controls must not see their own refresh as a user's change.
    const QSignalBlocker b1(c_.Text3), b2(c_.Text1), b3(c_.姓长度), b4(c_.自动识别姓氏),
        b5(c_.人名), b6(c_.公司名), b7(c_.单姓), b8(c_.复姓);

    if (windowTitle() != qs(f.caption))
        setWindowTitle(qs(f.caption));
    showText(c_.Text3, f.Text3);
    c_.Text3->fitText();
    showMissingCharacters();
    (f.公司名 ? c_.公司名 : c_.人名)->setChecked(true);
    showText(c_.评分, f.评分);
    c_.自动识别姓氏->setChecked(f.自动识别姓氏);
    c_.姓长度->setValue(f.姓长度);
    (f.复姓 ? c_.复姓 : c_.单姓)->setChecked(true);
    showText(c_.姓, f.姓);
    showText(c_.名, f.名);

    if (c_.总运板->title() != qs(f.总运板))
        c_.总运板->setTitle(qs(f.总运板));
    showText(c_.总笔画数, f.总笔画数);
    showText(c_.全称属性, f.全称属性);

    const std::array<const std::u16string*, 5> texts = {&f.Text4, &f.Text5, &f.Text6, &f.Text7,
                                                        &f.Text8};
    const std::array<Colour, 5> colours = {f.colourText4, f.colourText5, f.colourText6,
                                           f.colourText7, f.colourText8};
    const std::array<EntryBox*, 5> boxes = {c_.Text4, c_.gridBoxes[0], c_.gridBoxes[1],
                                            c_.gridBoxes[2], c_.gridBoxes[3]};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (shownText_[i] != *texts[i]) {
            boxes[i]->setEntry(qs(*texts[i]));
            shownText_[i] = *texts[i];
        }
        if (shownColour_[i] != colours[i]) {
            QPalette p = boxes[i]->palette();
            p.setColor(QPalette::Text, controls::toQColor(colours[i]));
            boxes[i]->setPalette(p);
            shownColour_[i] = colours[i];
        }
    }
    const std::array<const std::u16string*, 4> numbers = {&f.天格笔画数, &f.人格笔画数,
                                                          &f.地格笔画数, &f.外格笔画数};
    for (std::size_t i = 0; i < 4; ++i) {
        showText(c_.gridNumbers[i], *numbers[i]);
        if (c_.gridFrames[i]->isHidden() == f.gridFramesVisible)
            c_.gridFrames[i]->setVisible(f.gridFramesVisible);
    }

    showSancai(f.三才);
    showPinyin();

    showText(c_.Text1, f.Text1);
    showText(c_.Text2, f.Text2);
    showText(c_.笔画数, f.笔画数);
    showText(c_.属性, f.属性);
}

void MainWindow::showSancai(const std::optional<Sancai>& s) {
    QLabel* label = c_.三才;
    QString value;
    if (s) {
        value = qs(elementsText(*s)) + QStringLiteral("（") + qs(sancaiClassName(s->verdict)) +
                QStringLiteral("）");
    }
    const QString text =
        value.isEmpty() ? QStringLiteral("三才：") : QStringLiteral("三才：\n") + value;
    if (label->text() != text) {
        label->setText(text);
        // Read as one line, and as the caption alone while there is none, as other labels are.
        label->setAccessibleName(value.isEmpty() ? QStringLiteral("三才")
                                                 : QStringLiteral("三才：") + value);
    }
    // Coloured as the grid texts are: red for 凶, green otherwise.
    const QColor colour =
        controls::toQColor(s && s->verdict == SancaiClass::misfortune ? kRed : kGreen);
    if (label->palette().color(QPalette::WindowText) != colour) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, colour);
        label->setPalette(p);
    }
}

void MainWindow::showPinyin() {
    const MainForm& f = form_;
    // A person's surname read as a surname; a company's name as it stands.
    const QString value = qs(f.公司名 ? namePinyin({}, f.Text3) : namePinyin(f.姓, f.名));
    QLabel* label = c_.拼音;
    const QString caption = QStringLiteral("拼音：");
    if (label->toolTip() == value && label->text().startsWith(caption))
        return;
    // Whole syllables only: those that do not fit the label give way to an ellipsis, and the
    // tooltip holds them all.
    const QRect room(0, 0, label->width(), label->height());
    const auto fits = [&](const QString& text) {
        return label->fontMetrics()
                   .boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text)
                   .height() <= room.height();
    };
    QString shown = value;
    if (!fits(caption + u'\n' + shown)) {
        QStringList syllables = value.split(u' ');
        do {
            syllables.removeLast();
            shown = syllables.join(u' ') + QStringLiteral(" …");
        } while (!syllables.isEmpty() && !fits(caption + u'\n' + shown));
    }
    label->setText(value.isEmpty() ? caption : caption + u'\n' + shown);
    label->setToolTip(value);
    // Read as one line, the whole of it, and as the caption alone while there is none.
    label->setAccessibleName(value.isEmpty() ? QStringLiteral("拼音") : caption + value);
}

void MainWindow::writeReport() {
    const QString desktop = SystemFolders::text(QStringLiteral("txtDesktop"));
    const ReportResult r =
        muwu::writeReport(std::filesystem::path(QFile::encodeName(desktop).toStdString()),
                          reportFieldsOf(form_), today_().toStdU16String());
    if (!r.ok()) {
        notice(QString::fromStdString(r.message), QStringLiteral("报表消息"));
        return;
    }
    opener_(r.file);
    if (r.unmappable > 0) {
        notice(
            QStringLiteral("报表中有 %1 个字符无法用 GBK 编码保存，已写作“?”。").arg(r.unmappable),
            QStringLiteral("报表消息"), false);
    }
}

void MainWindow::openNamingWindow() {
    if (namingWindow_) {
        namingWindow_();
        return;
    }
    notice(QStringLiteral("自动取名窗口将在下一版本中提供。"), QStringLiteral("自动取名消息"),
           false);
}

void MainWindow::collectProblems() {
    for (DataProblem& problem : data_->takeProblems())
        pendingProblems_.push_back(std::move(problem.message));
}

void MainWindow::showProblems() {
    if (pendingProblems_.empty())
        return;
    QString text = QStringLiteral("数据文件有问题：");
    QString details;
    for (std::size_t i = 0; i < pendingProblems_.size(); ++i) {
        const QString line = QString::fromStdString(pendingProblems_[i]);
        if (i < kProblemsListed)
            text += QStringLiteral("\n") + line;
        details += line + QStringLiteral("\n");
    }
    if (pendingProblems_.size() > kProblemsListed) {
        text += QStringLiteral("\n……（共 %1 条）").arg(pendingProblems_.size());
    }
    const std::size_t pendingCount = pendingProblems_.size();
    pendingProblems_.clear();
    QMessageBox* box = notice(text, QStringLiteral("数据问题"));
    if (pendingCount > kProblemsListed)
        box->setDetailedText(details);
}

QMessageBox* MainWindow::notice(const QString& text, const QString& objectName, bool warning) {
    // Nothing waits on it, so a naming run is never held up; but until it is answered the
    // program takes no other input, so boxes cannot pile up behind each other.
    auto* box = new QMessageBox(warning ? QMessageBox::Warning : QMessageBox::Information,
                                windowTitle(), text, QMessageBox::Ok, this);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    return box;
}

}  // namespace muwu
