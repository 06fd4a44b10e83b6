// Typing, options, surname controls, colours and the hidden work area.
#include "tests/names/main_window_test.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include "names/luck_table.h"
#include "platform/twips.h"
#include "platform/ui_fonts.h"
#include "tests/support/widget_input.h"

namespace muwu {

void MainWindowTest::makeWindow(const fs::path& data) {
    window_ = std::make_unique<MainWindow>(data, opener_.opener());
    window_->setReportDate([] { return QString::fromLatin1(kDate); });
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void MainWindowTest::init() {
    dir_ = std::make_unique<test::DataDir>();
    dir_->writeSample();
    opener_ = test::RecordingOpener();
    makeWindow(dir_->path());
}

void MainWindowTest::cleanup() {
    window_.reset();
    dir_.reset();
}

void MainWindowTest::type(const QString& text) {
    test::typeText(c<QLineEdit>(u"Text3"), text);
}

void MainWindowTest::paste(const QString& text) {
    // The whole text over the whole name, in one change, as a paste makes it.
    auto* name = c<QLineEdit>(u"Text3");
    name->setFocus();
    name->selectAll();
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, text, Qt::NoModifier);
    QCOMPARE(name->text(), text);
}

void MainWindowTest::clearName() {
    auto* name = c<QLineEdit>(u"Text3");
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Backspace);
}

void MainWindowTest::opensWithEveryControlInPlace() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("沐梧取名器 V3.0.28"));
    QCOMPARE(window_->objectName(), QStringLiteral("主窗"));

    struct Expected {
        const char16_t* name;
        const char* kind;
        const char16_t* container;
        bool hidden;
    };
    const Expected controls[] = {
        {u"报表", "muwu::MWButton", u"主窗", false},
        {u"Picture1", "QFrame", u"主窗", false},
        {u"Label4", "QLabel", u"Picture1", false},
        {u"Frame1", "QGroupBox", u"主窗", false},
        {u"Label1", "QLabel", u"Frame1", false},
        {u"Text3", "QLineEdit", u"Frame1", false},
        {u"人名", "QRadioButton", u"Frame1", false},
        {u"公司名", "QRadioButton", u"Frame1", false},
        {u"Frame4", "QGroupBox", u"Frame1", false},
        {u"评分", "QLabel", u"Frame4", false},
        {u"自动取名", "muwu::MWButton", u"Frame1", false},
        {u"Frame3", "QGroupBox", u"Frame1", false},
        {u"自动识别姓氏", "QCheckBox", u"Frame3", false},
        {u"姓长度", "QScrollBar", u"Frame3", false},
        {u"单姓", "QRadioButton", u"Frame3", false},
        {u"复姓", "QRadioButton", u"Frame3", false},
        {u"Label5", "QLabel", u"Frame3", false},
        {u"姓", "QLabel", u"Frame3", false},
        {u"名", "QLabel", u"Frame3", false},
        {u"Label2", "QLabel", u"Frame3", false},
        {u"Label3", "QLabel", u"Frame3", false},
        {u"总运板", "QGroupBox", u"主窗", false},
        {u"Text4", "QTextEdit", u"总运板", false},
        {u"总笔画数", "QLabel", u"总运板", false},
        {u"全称属性", "QLabel", u"总运板", false},
        {u"天格板", "QGroupBox", u"主窗", false},
        {u"人格板", "QGroupBox", u"主窗", false},
        {u"地格板", "QGroupBox", u"主窗", false},
        {u"外格板", "QGroupBox", u"主窗", false},
        {u"Text5", "QTextEdit", u"天格板", false},
        {u"Text6", "QTextEdit", u"人格板", false},
        {u"Text7", "QTextEdit", u"地格板", false},
        {u"Text8", "QTextEdit", u"外格板", false},
        {u"天格笔画数", "QLabel", u"天格板", false},
        {u"人格笔画数", "QLabel", u"人格板", false},
        {u"地格笔画数", "QLabel", u"地格板", false},
        {u"外格笔画数", "QLabel", u"外格板", false},
        {u"三才", "QLabel", u"人格板", false},
        {u"求天格", "QPushButton", u"天格板", true},
        {u"求人格", "QPushButton", u"人格板", true},
        {u"求地格", "QPushButton", u"地格板", true},
        {u"求外格", "QPushButton", u"外格板", true},
        {u"Frame2", "QGroupBox", u"主窗", true},
        {u"Text1", "QLineEdit", u"Frame2", false},
        {u"Text2", "QLineEdit", u"Frame2", false},
        {u"简体转换为繁体", "QPushButton", u"Frame2", false},
        {u"求笔画", "QPushButton", u"Frame2", false},
        {u"笔画数", "QLabel", u"Frame2", false},
        {u"属性", "QLabel", u"Frame2", false},
        {u"求全称属性", "QPushButton", u"Frame2", false},
    };
    for (const Expected& e : controls) {
        const QString name = QString::fromUtf16(e.name);
        QWidget* w = window_->control(name);
        QVERIFY2(w, qPrintable(name));
        QVERIFY2(w->inherits(e.kind), qPrintable(name));
        QCOMPARE(w->parentWidget()->objectName(), QString::fromUtf16(e.container));
        QCOMPARE(w->isHidden(), e.hidden);
    }
    QVERIFY(!c<QWidget>(u"Text1")->isVisible());  // inside the invisible work area

    QCOMPARE(c<QGroupBox>(u"Frame1")->title(), QStringLiteral("名称："));
    QCOMPARE(c<QGroupBox>(u"Frame4")->title(), QStringLiteral("评分："));
    QCOMPARE(c<QGroupBox>(u"Frame2")->title(), QStringLiteral("不显示部分："));
    QCOMPARE(c<QGroupBox>(u"总运板")->title(), QStringLiteral("总运：（后半生）"));
    QCOMPARE(
        c<QGroupBox>(u"地格板")->title(),
        QStringLiteral(
            "地格：（地格代表其人下辈、子女、妻妾、根基；单独代表其人之根基；代表前运[前半生]）"));
    QCOMPARE(c<QRadioButton>(u"人名")->text(), QStringLiteral("人名（细算）"));
    QCOMPARE(c<QRadioButton>(u"公司名")->text(), QStringLiteral("公司名（粗算）"));
    QCOMPARE(c<QCheckBox>(u"自动识别姓氏")->text(), QStringLiteral("自动"));
    QCOMPARE(label(u"Label4"), QStringLiteral("帮助"));
    QCOMPARE(c<MWButton>(u"报表")->Caption(), QStringLiteral("报表"));

    // After load: options and labels as designed, the name box empty and focused.
    QVERIFY(c<QRadioButton>(u"人名")->isChecked() && c<QRadioButton>(u"单姓")->isChecked());
    QVERIFY(c<QCheckBox>(u"自动识别姓氏")->isChecked());
    auto* length = c<QScrollBar>(u"姓长度");
    QCOMPARE(length->orientation(), Qt::Horizontal);
    QCOMPARE(length->minimum(), 1);
    QCOMPARE(length->maximum(), 10);
    QCOMPARE(length->value(), 1);
    QCOMPARE(label(u"评分"), QStringLiteral("评分"));
    QCOMPARE(label(u"总笔画数"), QStringLiteral("总笔画数"));
    QCOMPARE(label(u"天格笔画数"), QStringLiteral("天格笔画数"));
    QCOMPARE(label(u"全称属性"), QString());
    QCOMPARE(c<QLineEdit>(u"Text3")->text(), QString());
    QCOMPARE(QApplication::focusWidget(), c<QWidget>(u"Text3"));
    QVERIFY(c<QTextEdit>(u"Text4")->isReadOnly());
    QCOMPARE(c<QTextEdit>(u"Text5")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // Fonts: 宋体, or the serif face standing in for it.
    const QFont name = c<QLineEdit>(u"Text3")->font();
    QCOMPARE(name.pointSizeF(), 14.25);
    QVERIFY(name.bold());
    QCOMPARE(c<QLabel>(u"评分")->font().pointSizeF(), 12.0);
    QVERIFY(c<QLabel>(u"评分")->font().bold());
    // 12 pt where the box holds every entry at that size; never much smaller.
    QVERIFY(c<QTextEdit>(u"Text4")->font().pointSizeF() <= 12.0);
    QVERIFY(c<QTextEdit>(u"Text4")->font().pointSizeF() >= 10.0);
    QVERIFY(c<QTextEdit>(u"Text4")->font().bold());
    const QString family = pickSongTiFamily(QFontDatabase::families());
    if (!family.isEmpty())
        QCOMPARE(QFontInfo(name).family(), family);

    // Sizes in twips at the screen's resolution: 13380 × 9840, frames 13215 wide.
    const double dpi = window_->screen()->logicalDotsPerInch();
    QCOMPARE(window_->size(), QSize(twipsToPixels(13380, dpi), twipsToPixels(9840, dpi)));
    QCOMPARE(c<QWidget>(u"Frame1")->height(), twipsToPixels(675, dpi));
    QCOMPARE(c<QWidget>(u"总运板")->height(), twipsToPixels(2085, dpi));
    for (const char16_t* frame : {u"Frame1", u"总运板", u"天格板", u"外格板"}) {
        QCOMPARE(c<QWidget>(frame)->width(), twipsToPixels(13215, dpi));
    }
    QVERIFY(c<QWidget>(u"Frame1")->geometry().bottom() < c<QWidget>(u"总运板")->y());
    QVERIFY(c<QWidget>(u"地格板")->geometry().bottom() < c<QWidget>(u"外格板")->y());
}

void MainWindowTest::controlsKeepTheirCaptionsUnclippedAndApart() {
    // Every visible control lies inside its container, apart from its visible siblings; 报表 and
    // Picture1 lie over the total's frame, apart from the controls in it.
    const auto check = [](QWidget* container, const QList<QWidget*>& extra) {
        QList<QWidget*> kids;
        for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isHidden() && !w->objectName().isEmpty())
                kids.append(w);
        }
        for (QWidget* w : kids) {
            QVERIFY2(container->rect().contains(w->geometry()), qPrintable(w->objectName()));
            for (QWidget* other : kids) {
                QVERIFY2(w == other || !w->geometry().intersects(other->geometry()),
                         qPrintable(w->objectName() + QStringLiteral(" / ") + other->objectName()));
            }
            for (QWidget* over : extra) {
                const QRect r(container->mapFrom(over->parentWidget(), over->pos()), over->size());
                QVERIFY2(!w->geometry().intersects(r),
                         qPrintable(w->objectName() + QStringLiteral(" / ") + over->objectName()));
            }
        }
    };
    const QList<QWidget*> overTotal = {c<QWidget>(u"报表"), c<QWidget>(u"Picture1")};
    for (const char16_t* frame :
         {u"Frame1", u"Frame3", u"Frame4", u"天格板", u"人格板", u"外格板", u"Frame2"}) {
        check(c<QWidget>(frame), {});
    }
    check(c<QWidget>(u"总运板"), overTotal);

    // Captions fit in their controls at the fonts they are shown in.
    for (const char16_t* name : {u"Label1", u"Label2", u"Label3", u"Label5", u"Label4",
                                 u"天格笔画数", u"总笔画数", u"评分"}) {
        auto* l = c<QLabel>(name);
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(),
                 qPrintable(l->objectName()));
        QVERIFY2(l->fontMetrics().ascent() <= l->height(), qPrintable(l->objectName()));
    }
    for (const char16_t* name :
         {u"人名", u"公司名", u"单姓", u"复姓", u"自动识别姓氏", u"自动取名", u"报表"}) {
        auto* b = c<QWidget>(name);
        QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(QStringLiteral("%1: %2 > %3")
                                                                     .arg(b->objectName())
                                                                     .arg(b->sizeHint().width())
                                                                     .arg(b->width())));
    }
    auto* score = c<QLabel>(u"评分");
    QVERIFY(score->fontMetrics().horizontalAdvance(QStringLiteral("99.8")) <= score->width());
}

void MainWindowTest::typingAnalysesAtEveryKeystroke() {
    type(QStringLiteral("李"));
    QCOMPARE(label(u"姓"), QStringLiteral("李"));
    QCOMPARE(label(u"总笔画数"), QStringLiteral("7"));
    QCOMPARE(box(u"Text4"), boxText(luckEntry(7)));
    type(QStringLiteral("田"));
    QCOMPARE(label(u"名"), QStringLiteral("田"));
    QCOMPARE(label(u"总笔画数"), QStringLiteral("12"));
    type(QStringLiteral("思"));  // 7, 5, 9

    QCOMPARE(label(u"天格笔画数"), QStringLiteral("8"));
    QCOMPARE(label(u"人格笔画数"), QStringLiteral("12"));
    QCOMPARE(label(u"地格笔画数"), QStringLiteral("14"));
    QCOMPARE(label(u"外格笔画数"), QStringLiteral("10"));
    QCOMPARE(label(u"总笔画数"), QStringLiteral("21"));
    QCOMPARE(label(u"全称属性"), QStringLiteral("木火木"));
    QCOMPARE(label(u"评分"), QStringLiteral("72.8"));
    QCOMPARE(box(u"Text4"), boxText(luckEntry(21)));
    QCOMPARE(box(u"Text6"), boxText(luckEntry(12)));
    QCOMPARE(c<QTextEdit>(u"Text8")->document()->blockCount(), 6);
    // Exact colours: 凶 red, all else green.
    QCOMPARE(colour(u"Text4"), kGreenText);  // 21 大吉
    QCOMPARE(colour(u"Text5"), kGreenText);  // 8 吉
    QCOMPARE(colour(u"Text6"), kRedText);    // 12 凶
    QCOMPARE(colour(u"Text7"), kRedText);
    QCOMPARE(colour(u"Text8"), kRedText);

    // Clearing empties the five texts and leaves total and score.
    clearName();
    for (const char16_t* b : {u"Text4", u"Text5", u"Text6", u"Text7", u"Text8"}) {
        QCOMPARE(box(b), QString());
        QCOMPARE(colour(b), kGreenText);
    }
    QCOMPARE(label(u"总笔画数"), QStringLiteral("21"));
    QCOMPARE(label(u"评分"), QStringLiteral("72.8"));
    QCOMPARE(label(u"姓"), QString());
}

void MainWindowTest::doubleSurnamesAreRecognisedAndBelongToTheirName() {
    type(QStringLiteral("欧阳明"));  // 15, 12, 8
    QCOMPARE(c<QScrollBar>(u"姓长度")->value(), 2);
    QVERIFY(c<QRadioButton>(u"复姓")->isChecked());
    QCOMPARE(label(u"姓"), QStringLiteral("欧阳"));
    QCOMPARE(label(u"名"), QStringLiteral("明"));
    QCOMPARE(label(u"天格笔画数"), QStringLiteral("27"));
    QCOMPARE(label(u"人格笔画数"), QStringLiteral("20"));
    QCOMPARE(label(u"外格笔画数"), QStringLiteral("16"));

    // A name pasted over it that does not begin with a listed double surname: the length found
    // for 欧阳 goes with it.
    paste(QStringLiteral("张三王"));
    QCOMPARE(c<QScrollBar>(u"姓长度")->value(), 1);
    QVERIFY(c<QRadioButton>(u"单姓")->isChecked());
    QCOMPARE(label(u"姓"), QStringLiteral("张"));
    QCOMPARE(label(u"名"), QStringLiteral("三王"));

    // A length the user chose stays for the next name.
    auto* length = c<QScrollBar>(u"姓长度");
    QTest::mouseClick(length, Qt::LeftButton, {},
                      QPoint(length->width() - 3, length->height() / 2));
    QCOMPARE(label(u"姓"), QStringLiteral("张三"));
    paste(QStringLiteral("李田思"));
    QCOMPARE(length->value(), 2);
    QCOMPARE(label(u"姓"), QStringLiteral("李田"));
    // … until a name is typed from its first character again.
    clearName();
    type(QStringLiteral("张"));
    QCOMPARE(c<QScrollBar>(u"姓长度")->value(), 1);
    QVERIFY(c<QRadioButton>(u"单姓")->isChecked());
    type(QStringLiteral("三王"));
    QCOMPARE(label(u"姓"), QStringLiteral("张"));

    // Recognition needs the tick: unticking runs nothing, ticking analyses again.
    clearName();
    QTest::mouseClick(c<QCheckBox>(u"自动识别姓氏"), Qt::LeftButton);
    QVERIFY(!c<QCheckBox>(u"自动识别姓氏")->isChecked());
    type(QStringLiteral("诸葛王"));
    QCOMPARE(label(u"姓"), QStringLiteral("诸"));
    QTest::mouseClick(c<QCheckBox>(u"自动识别姓氏"), Qt::LeftButton);
    QCOMPARE(label(u"姓"), QStringLiteral("诸葛"));
    QCOMPARE(label(u"天格笔画数"), QStringLiteral("34"));
}

void MainWindowTest::surnameControlsFollowTheMouse() {
    type(QStringLiteral("张三王"));
    auto* length = c<QScrollBar>(u"姓长度");
    // The right arrow of the scroll bar: one more, and the analysis follows.
    QTest::mouseClick(length, Qt::LeftButton, {},
                      QPoint(length->width() - 3, length->height() / 2));
    QCOMPARE(length->value(), 2);
    QVERIFY(c<QRadioButton>(u"复姓")->isChecked());
    QCOMPARE(label(u"姓"), QStringLiteral("张三"));
    QCOMPARE(label(u"天格笔画数"), QStringLiteral("14"));

    QTest::mouseClick(c<QRadioButton>(u"单姓"), Qt::LeftButton);
    QCOMPARE(length->value(), 1);
    QCOMPARE(label(u"姓"), QStringLiteral("张"));

    // 复姓 with a length of 1 and a name not in the list: the surname becomes two characters, so
    // the options never show a split the analysis does not use.
    const long runs = window_->form().analysisRuns();
    QTest::mouseClick(c<QRadioButton>(u"复姓"), Qt::LeftButton);
    QCOMPARE(window_->form().analysisRuns(), runs + 1);
    QVERIFY(c<QRadioButton>(u"复姓")->isChecked());
    QCOMPARE(length->value(), 2);
    QCOMPARE(label(u"姓"), QStringLiteral("张三"));
    QCOMPARE(label(u"名"), QStringLiteral("王"));

    // A press dragged off the button before the release is no click.
    auto* single = c<QRadioButton>(u"单姓");
    QTest::mousePress(single, Qt::LeftButton);
    QTest::mouseRelease(single, Qt::LeftButton, {},
                        QPoint(single->width() + 40, single->height() / 2));
    QCOMPARE(window_->form().analysisRuns(), runs + 1);

    // With a length set by hand beyond the name, the whole name is the surname.
    length->setValue(3);
    QCOMPARE(label(u"姓"), QStringLiteral("张三王"));
    QCOMPARE(label(u"名"), QString());
}

void MainWindowTest::companyModeJudgesTheTotalAlone() {
    type(QStringLiteral("李田思"));
    QTest::mouseClick(c<QRadioButton>(u"公司名"), Qt::LeftButton);
    for (const char16_t* frame : {u"天格板", u"人格板", u"地格板", u"外格板"}) {
        QVERIFY(c<QWidget>(frame)->isHidden());
    }
    QCOMPARE(c<QGroupBox>(u"总运板")->title(), QStringLiteral("总运："));
    QCOMPARE(label(u"评分"), QStringLiteral("100"));  // 21 大吉
    clearName();
    type(QStringLiteral("王文"));  // 8 吉
    QCOMPARE(label(u"评分"), QStringLiteral("85"));
    QCOMPARE(label(u"天格笔画数"), QStringLiteral("8"));  // left from 李田思: not computed
    clearName();
    type(QStringLiteral("丁"));  // 2 凶
    QCOMPARE(label(u"评分"), QStringLiteral("50"));
    QCOMPARE(colour(u"Text4"), kRedText);
    paste(QStringLiteral("某"));  // in no list: no score, no total
    QCOMPARE(label(u"评分"), QStringLiteral("评分"));
    QCOMPARE(label(u"总笔画数"), QStringLiteral("总笔画数"));

    QTest::mouseClick(c<QRadioButton>(u"人名"), Qt::LeftButton);
    QVERIFY(!c<QWidget>(u"天格板")->isHidden());
    QCOMPARE(c<QGroupBox>(u"总运板")->title(), QStringLiteral("总运：（后半生）"));
}

void MainWindowTest::keyboardSelectionOfAKindRunsNothingAndOfASurnameSetsTheLength() {
    type(QStringLiteral("李田思"));
    long runs = window_->form().analysisRuns();
    auto* person = c<QRadioButton>(u"人名");
    person->setFocus();
    QTest::keyClick(person, Qt::Key_Right);
    QVERIFY(c<QRadioButton>(u"公司名")->isChecked());
    QVERIFY(window_->form().公司名);
    QCOMPARE(window_->form().analysisRuns(), runs);
    QVERIFY(!c<QWidget>(u"天格板")->isHidden());
    QCOMPARE(c<QGroupBox>(u"总运板")->title(), QStringLiteral("总运：（后半生）"));
    QCOMPARE(label(u"评分"), QStringLiteral("72.8"));

    // 复姓 by keyboard says the surname has two characters: the split follows at once.
    c<QRadioButton>(u"复姓")->setFocus();
    QTest::keyClick(c<QRadioButton>(u"复姓"), Qt::Key_Space);
    QVERIFY(c<QRadioButton>(u"复姓")->isChecked());
    QCOMPARE(c<QScrollBar>(u"姓长度")->value(), 2);
    QCOMPARE(label(u"姓"), QStringLiteral("李田"));
    runs = window_->form().analysisRuns();
    QTest::keyClick(c<QRadioButton>(u"复姓"), Qt::Key_Left);
    QVERIFY(c<QRadioButton>(u"单姓")->isChecked());
    QCOMPARE(label(u"姓"), QStringLiteral("李"));
    QCOMPARE(window_->form().analysisRuns(), runs + 1);

    // The next change of the name analyses in the kind chosen.
    type(QStringLiteral("明"));
    QVERIFY(c<QWidget>(u"天格板")->isHidden());
    QCOMPARE(c<QGroupBox>(u"总运板")->title(), QStringLiteral("总运："));
}

void MainWindowTest::totalsAbove80AndUnknownCharacters() {
    type(QStringLiteral("葛葛葛葛思"));  // 81
    QCOMPARE(label(u"总笔画数"), QStringLiteral("81"));
    QCOMPARE(box(u"Text4"), boxText(luckEntry(1)));
    QCOMPARE(colour(u"Text4"), kGreenText);

    clearName();
    type(QStringLiteral("李田思"));
    auto* name = c<QLineEdit>(u"Text3");
    const QColor ground = name->palette().color(QPalette::Base);
    QVERIFY(name->toolTip().isEmpty());
    // No character in the lists: nothing to count, so no figure at all, and none of 李田思's.
    paste(QStringLiteral("abc"));
    for (const char16_t* number :
         {u"总笔画数", u"天格笔画数", u"人格笔画数", u"地格笔画数", u"外格笔画数", u"评分"})
        QCOMPARE(label(number), QString::fromUtf16(number));
    for (const char16_t* text : {u"Text4", u"Text5", u"Text6", u"Text7", u"Text8"})
        QCOMPARE(box(text), QString());
    QCOMPARE(label(u"全称属性"), QString());
    // The name box says why, in its tooltip and to a screen reader, and on a warm ground.
    QVERIFY(name->toolTip().contains(QStringLiteral("“a”、“b”、“c”")));
    QVERIFY(name->toolTip().contains(QStringLiteral("无法评分")));
    QCOMPARE(QAccessible::queryAccessibleInterface(name)->text(QAccessible::Description),
             name->toolTip());
    QVERIFY(name->palette().color(QPalette::Base) != ground);
    QVERIFY(name->grab().toImage().pixelColor(3, name->height() / 2) != ground);

    // Some characters known: the figures are theirs, and the box names the ones left out.
    paste(QStringLiteral("李a思"));
    QCOMPARE(label(u"总笔画数"), QStringLiteral("16"));
    QVERIFY(!label(u"评分").isEmpty() && label(u"评分") != QStringLiteral("评分"));
    QVERIFY(name->toolTip().contains(QStringLiteral("“a”")));
    QVERIFY(name->toolTip().contains(QStringLiteral("不计")));
    paste(QStringLiteral("李田思"));
    QVERIFY(name->toolTip().isEmpty());
    QCOMPARE(name->palette().color(QPalette::Base), ground);

    // A character outside the basic plane is one character, never cut in two.
    clearName();
    type(QString::fromUtf16(u"\U00020000张"));
    QCOMPARE(label(u"姓"), QString::fromUtf16(u"\U00020000"));
    QCOMPARE(label(u"名"), QStringLiteral("张"));
}

void MainWindowTest::theWorkAreaShowsTheLastLookup() {
    auto* input = c<QLineEdit>(u"Text1");
    input->setText(QStringLiteral("刘"));  // conversion and lookup at once
    QCOMPARE(c<QLineEdit>(u"Text2")->text(), QStringLiteral("劉"));
    QCOMPARE(label(u"笔画数"), QStringLiteral("15"));
    QCOMPARE(label(u"属性"), QStringLiteral("火"));

    type(QStringLiteral("王文"));  // 地格 looks 文 up last
    QCOMPARE(input->text(), QStringLiteral("文"));
    QCOMPARE(c<QLineEdit>(u"Text2")->text(), QStringLiteral("文"));
    QCOMPARE(label(u"笔画数"), QStringLiteral("4"));
    QCOMPARE(label(u"属性"), QStringLiteral("水"));

    // The hidden buttons compute when pressed from code.
    window_->set正在取名(true);
    c<QScrollBar>(u"姓长度")->setValue(2);  // while naming: no analysis
    QCOMPARE(label(u"天格笔画数"), QStringLiteral("5"));
    c<QPushButton>(u"求天格")->click();  // 姓 is still 王: 王 4 + the empty text 2
    QCOMPARE(label(u"天格笔画数"), QStringLiteral("6"));
    c<QLineEdit>(u"Text3")->setText(QStringLiteral("欧阳明"));
    QCOMPARE(label(u"全称属性"),
             QStringLiteral("土水"));  // still 王文's: not computed while naming
    c<QPushButton>(u"求全称属性")->click();
    QCOMPARE(label(u"全称属性"), QStringLiteral("土土火"));
    input->setText(QStringLiteral("张"));
    QCOMPARE(label(u"笔画数"), QStringLiteral("11"));
    dir_->writeList(11, u"：梁\r\n");  // 张 leaves the lists; pressing looks it up anew
    dir_->writeList(13, u"：张\r\n");
    c<QPushButton>(u"求笔画")->click();
    QCOMPARE(label(u"笔画数"), QStringLiteral("13"));
}

void MainWindowTest::writesFromCodeRunBeforeTheyReturn() {
    // As the naming engine uses the window: set the length, write a name, read the colours.
    window_->set正在取名(true);
    QVERIFY(window_->正在取名());
    c<QScrollBar>(u"姓长度")->setValue(2);
    auto* name = c<QLineEdit>(u"Text3");
    name->setText(QStringLiteral("欧阳明"));
    QCOMPARE(label(u"姓"), QStringLiteral("欧阳"));
    QCOMPARE(colour(u"Text6"), kRedText);  // 人格 20 凶
    name->setText(QStringLiteral("欧阳王"));
    QCOMPARE(label(u"人格笔画数"), QStringLiteral("16"));
    QCOMPARE(colour(u"Text6"), kGreenText);  // 16 大吉
    QCOMPARE(c<QScrollBar>(u"姓长度")->value(), 2);
    window_->求评分();
    QCOMPARE(label(u"评分"), q(window_->form().评分));
    window_->set正在取名(false);
}

void MainWindowTest::sancaiShowsBelowThePersonGrid() {
    auto* sancai = c<QLabel>(u"三才");
    const auto named = [&] {
        return QAccessible::queryAccessibleInterface(sancai)->text(QAccessible::Name);
    };
    const auto redPixels = [&] {
        const QImage shot = sancai->grab().toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QColor p = shot.pixelColor(x, y);
                red += p.red() > 200 && p.green() < 80 && p.blue() < 80;
            }
        }
        return red;
    };
    QCOMPARE(sancai->text(), QStringLiteral("三才："));

    type(QStringLiteral("李文丁"));  // 8 金, 11 木, 6 土: 金剋木 above, 木剋土 below
    QCOMPARE(sancai->text(), QStringLiteral("三才：\n金木土（凶）"));
    QCOMPARE(named(), QStringLiteral("三才：金木土（凶）"));
    QCOMPARE(sancai->palette().color(QPalette::WindowText), kRedText);
    QVERIFY(redPixels() > 0);
    // Both lines fit, whatever the class.
    const QFontMetrics m = sancai->fontMetrics();
    QVERIFY(m.horizontalAdvance(QStringLiteral("金木土（凶）")) <= sancai->width());
    QVERIFY(2 * m.lineSpacing() <= sancai->height());

    clearName();
    type(QStringLiteral("李田思"));  // 8 金, 12 木, 14 火: 木生火 below
    QCOMPARE(sancai->text(), QStringLiteral("三才：\n金木火（平）"));
    QCOMPARE(sancai->palette().color(QPalette::WindowText), kGreenText);
    QCOMPARE(redPixels(), 0);

    // No given name, or no figures at all: no 三才.
    c<QLineEdit>(u"Text3")->setText(QStringLiteral("李"));
    QCOMPARE(sancai->text(), QStringLiteral("三才："));
    QCOMPARE(named(), QStringLiteral("三才"));
    c<QLineEdit>(u"Text3")->setText(QStringLiteral("李文丁"));
    c<QLineEdit>(u"Text3")->setText(QStringLiteral("abc"));
    QCOMPARE(label(u"天格笔画数"), QStringLiteral("天格笔画数"));
    QCOMPARE(sancai->text(), QStringLiteral("三才："));
    QCOMPARE(sancai->palette().color(QPalette::WindowText), kGreenText);

    // A company name has none, and the frame that would show it is hidden.
    c<QLineEdit>(u"Text3")->setText(QStringLiteral("李文丁"));
    QTest::mouseClick(c<QRadioButton>(u"公司名"), Qt::LeftButton);
    QVERIFY(!sancai->isVisible());
    QCOMPARE(sancai->text(), QStringLiteral("三才："));
}

}  // namespace muwu

QTEST_MAIN(muwu::MainWindowTest)
