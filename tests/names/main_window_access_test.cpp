// What a new user meets: option pairs, whole luck texts and labels, modal notices, the keyboard
// and screen readers.
#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolTip>
#include <cmath>
#include <set>

#include "controls/mw_button.h"
#include "names/entry_box.h"
#include "names/luck_table.h"
#include "platform/fit_label.h"
#include "platform/ui_language.h"
#include "tests/names/main_window_test.h"
#include "tests/support/widget_input.h"

namespace muwu {

namespace {

// The lowest pixel row of box's viewport the last line of its text reaches, and the viewport's
// height, as drawn.
struct LastLine {
    int bottom;
    int viewport;
};

LastLine lastLine(QTextEdit* box) {
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    return {box->cursorRect(end).bottom(), box->viewport()->height()};
}

}  // namespace

void MainWindowTest::optionPairsAlwaysShowOneSelected() {
    auto* person = c<QRadioButton>(u"人名");
    auto* company = c<QRadioButton>(u"公司名");
    auto* single = c<QRadioButton>(u"单姓");
    auto* twofold = c<QRadioButton>(u"复姓");
    const auto oneOfEach = [&] {
        return person->isChecked() != company->isChecked() &&
               single->isChecked() != twofold->isChecked();
    };
    type(QStringLiteral("欧阳修"));
    QVERIFY(twofold->isChecked() && person->isChecked());

    QTest::mouseClick(company, Qt::LeftButton);
    QVERIFY(company->isChecked());
    QVERIFY(oneOfEach());
    QTest::mouseClick(person, Qt::LeftButton);
    QVERIFY(person->isChecked());
    QVERIFY(oneOfEach());
    QVERIFY(!c<QWidget>(u"天格板")->isHidden());

    // Space or a click on the selected option keeps it selected.
    person->setFocus();
    QTest::keyClick(person, Qt::Key_Space);
    QVERIFY(person->isChecked());
    QVERIFY(oneOfEach());
    QTest::mouseClick(person, Qt::LeftButton);
    QVERIFY(person->isChecked());
    twofold->setFocus();
    QTest::keyClick(twofold, Qt::Key_Space);
    QVERIFY(twofold->isChecked());
    QVERIFY(oneOfEach());

    // The keyboard moves within a pair, never into the other pair. The kind of name waits for
    // the next change of the name; the surname options take the length with them (while 自动 is
    // ticked, 欧阳 takes it back to two at once).
    const long runs = window_->form().analysisRuns();
    person->setFocus();
    QTest::keyClick(person, Qt::Key_Right);
    QVERIFY(company->isChecked());
    QCOMPARE(window_->form().analysisRuns(), runs);
    QTest::keyClick(company, Qt::Key_Left);
    QVERIFY(person->isChecked());
    QTest::mouseClick(c<QCheckBox>(u"自动识别姓氏"), Qt::LeftButton);
    twofold->setFocus();
    QTest::keyClick(twofold, Qt::Key_Left);
    QVERIFY(single->isChecked());
    QVERIFY(person->isChecked());
    QVERIFY(oneOfEach());
    QCOMPARE(window_->form().姓长度, 1);
    QCOMPARE(label(u"姓"), QStringLiteral("欧"));
    QCOMPARE(c<QRadioButton>(u"人名")->group(), c<QRadioButton>(u"公司名")->group());
    QVERIFY(single->group() != person->group());

    // What is drawn follows: the selected option's circle differs from the other's.
    const QImage on = person->grab().toImage();
    const QImage off = company->grab().toImage();
    const int s = person->height();
    QVERIFY(on.copy(0, 0, s, s) != off.copy(0, 0, s, s));
}

void MainWindowTest::everyLuckTextShowsWholeWithItsVerdict() {
    // Lines as close as the design's 宋体 line (12 px characters 14 px apart) or a little closer,
    // characters at 9 pt or a little smaller where the longest texts need it.
    for (const char16_t* name : {u"Text5", u"Text6", u"Text7", u"Text8"}) {
        auto* grid = c<EntryBox>(name);
        const double size = grid->font().pointSizeF();
        qInfo("%s: %.2f pt, %d px pitch", qPrintable(QString::fromUtf16(name)), size,
              grid->look().pitch);
        QVERIFY(size <= 9.0 && size >= 8.0);
        const double em = size * grid->logicalDpiY() / 72.0;
        QVERIFY2(grid->look().pitch >= std::ceil(em * 1.08),
                 qPrintable(QString::number(grid->look().pitch)));
        QVERIFY(grid->look().pitch <= std::lround(em * 14.0 / 12.0));
    }
    qInfo("Text4: %.2f pt, %d px pitch", c<EntryBox>(u"Text4")->font().pointSizeF(),
          c<EntryBox>(u"Text4")->look().pitch);
    // Every entry, in every box, down to its verdict line, without scrolling.
    for (const char16_t* name : {u"Text4", u"Text5", u"Text6", u"Text7", u"Text8"}) {
        auto* box = c<EntryBox>(name);
        const QSize size = box->size();
        for (int n = 1; n <= kLuckEntries; ++n) {
            box->setEntry(q(luckEntry(n)));
            const LastLine last = lastLine(box);
            const QString what = QStringLiteral("%1 entry %2: %3 > %4")
                                     .arg(QString::fromUtf16(name))
                                     .arg(n)
                                     .arg(last.bottom)
                                     .arg(last.viewport);
            QVERIFY2(last.bottom < last.viewport, qPrintable(what));
            QVERIFY2(box->verticalScrollBar()->maximum() == 0, qPrintable(what));
            QVERIFY(box->document()->lastBlock().text().startsWith(u'（'));
        }
        QCOMPARE(box->size(), size);  // the box keeps its size
    }
    // As typed: the verdicts are on screen, drawn in the box's colour.
    type(QStringLiteral("李田思"));
    for (const char16_t* name : {u"Text4", u"Text6"}) {
        auto* box = c<EntryBox>(name);
        QVERIFY(lastLine(box).bottom < lastLine(box).viewport);
        const QImage shown = box->viewport()->grab().toImage();
        const QRect verdict = box->cursorRect(QTextCursor(box->document()->lastBlock()))
                                  .adjusted(0, 0, 40, 0)
                                  .intersected(shown.rect());
        QVERIFY(!verdict.isEmpty());
        bool inked = false;
        const QColor ink = box->palette().color(QPalette::Text);
        for (int y = verdict.top(); y <= verdict.bottom() && !inked; ++y) {
            for (int x = verdict.left(); x <= verdict.right() && !inked; ++x)
                inked = QColor(shown.pixel(x, y)) == ink;
        }
        QVERIFY2(inked, qPrintable(QString::fromUtf16(name)));
    }
}

void MainWindowTest::longLabelsShrinkOrElideWithATooltip() {
    makeWindow(test::shippedData());
    QTest::mouseClick(c<QRadioButton>(u"公司名"), Qt::LeftButton);
    type(QStringLiteral("沐梧科技有限公司"));
    auto* attribute = c<FitLabel>(u"全称属性");
    QCOMPARE(attribute->text().size(), 8);
    FitLabel::Fit fit = attribute->fit();
    QVERIFY(!fit.elided);
    QCOMPARE(fit.shown, attribute->text());
    QVERIFY(fit.font.pointSizeF() >= FitLabel::kLeastPointSize);
    QVERIFY(QFontMetrics(fit.font).horizontalAdvance(fit.shown) <= attribute->width());

    // Ten characters of surname in 84 pixels: cut, with a sign, and whole in the tooltip; in the
    // size of the captions beside it, never in smaller print. So is the given name.
    clearName();
    QTest::mouseClick(c<QRadioButton>(u"人名"), Qt::LeftButton);
    type(QStringLiteral("张王李赵刘陈杨黄周吴"));
    c<QScrollBar>(u"姓长度")->setValue(10);
    auto* surname = c<FitLabel>(u"姓");
    QCOMPARE(surname->text(), QStringLiteral("张王李赵刘陈杨黄周吴"));
    fit = surname->fit();
    QVERIFY(fit.elided);
    QVERIFY(fit.shown.endsWith(QChar(0x2026)));
    QCOMPARE(fit.font.pointSizeF(), c<QLabel>(u"Label2")->font().pointSizeF());
    QVERIFY(QFontMetrics(fit.font).horizontalAdvance(fit.shown) <= surname->width());
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), surname->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(surname, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), surname->text());
    QToolTip::hideText();
    c<QScrollBar>(u"姓长度")->setValue(1);
    auto* given = c<FitLabel>(u"名");
    QCOMPARE(given->text(), QStringLiteral("王李赵刘陈杨黄周吴"));
    fit = given->fit();
    QVERIFY(fit.elided);
    QCOMPARE(fit.font.pointSizeF(), c<QLabel>(u"Label3")->font().pointSizeF());
    QHelpEvent helpGiven(QEvent::ToolTip, QPoint(5, 5), given->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(given, &helpGiven);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), given->text());
    QToolTip::hideText();

    // A short text stays at the label's own size.
    c<QScrollBar>(u"姓长度")->setValue(1);
    QCOMPARE(surname->fit().font.pointSizeF(), surname->font().pointSizeF());
    QVERIFY(!surname->fit().elided);
}

void MainWindowTest::noticesBlockTheProgramUntilAnswered() {
    QVERIFY(installQtChinese(*qApp));
    type(QStringLiteral("李/田"));
    test::clickOnScreen(c<MWButton>(u"报表"));
    QCOMPARE(notices(QStringLiteral("报表消息")).size(), 1);
    QMessageBox* box = notices(QStringLiteral("报表消息")).first();
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), box);
    // Its button speaks Chinese.
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    // A second press on 报表 behind it does nothing: no second box.
    test::clickOnScreen(c<MWButton>(u"报表"));
    QCOMPARE(notices(QStringLiteral("报表消息")).size(), 1);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    test::clickOnScreen(c<MWButton>(u"报表"));
    QCOMPARE(notices(QStringLiteral("报表消息")).size(), 1);  // the first one is gone
}

void MainWindowTest::tabReachesEveryControlInReadingOrder() {
    auto* name = c<QLineEdit>(u"Text3");
    name->setFocus();
    QStringList order;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
        if (QApplication::focusWidget() == name)
            break;
    }
    // An option pair is one stop, at its selected option; the arrows move within it.
    QCOMPARE(order, (QStringList{QStringLiteral("人名"), QStringLiteral("自动取名"),
                                 QStringLiteral("姓长度"), QStringLiteral("单姓"),
                                 QStringLiteral("自动识别姓氏"), QStringLiteral("报表"),
                                 QStringLiteral("Label4"), QStringLiteral("Text3")}));
    QTest::mouseClick(c<QRadioButton>(u"复姓"), Qt::LeftButton);
    QTest::mouseClick(c<QRadioButton>(u"公司名"), Qt::LeftButton);
    c<QWidget>(u"自动取名")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), c<QWidget>(u"公司名"));
    c<QWidget>(u"姓长度")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), c<QWidget>(u"复姓"));
    QTest::mouseClick(c<QRadioButton>(u"人名"), Qt::LeftButton);
    clearName();

    // The scroll bar takes the arrows, shows its focus and the analysis follows.
    type(QStringLiteral("张三王"));
    auto* length = c<QScrollBar>(u"姓长度");
    const QImage before = length->grab().toImage();
    length->setFocus();
    const QImage focused = length->grab().toImage();
    QVERIFY(before != focused);
    QTest::keyClick(length, Qt::Key_Right);
    QCOMPARE(length->value(), 2);
    QCOMPARE(label(u"姓"), QStringLiteral("张三"));
    QTest::keyClick(length, Qt::Key_Left);
    QCOMPARE(length->value(), 1);
    QCOMPARE(label(u"姓"), QStringLiteral("张"));

    // The read-only texts are passed by.
    for (const char16_t* box : {u"Text4", u"Text5"})
        QVERIFY(!(c<QWidget>(box)->focusPolicy() & Qt::TabFocus));
}

void MainWindowTest::helpOpensByKeyboardAndReadsAsAButton() {
    QList<QPoint> popUps;
    window_->setHelpMenu([&popUps](const QPoint& at) { popUps << at; });
    auto* help = c<QLabel>(u"Label4");
    QCOMPARE(help->focusPolicy(), Qt::StrongFocus);
    const QImage plain = help->grab().toImage();

    // It looks like a link, not like a caption: its own colour, a pointing hand, and under the
    // mouse underlined and brighter.
    QCOMPARE(help->cursor().shape(), Qt::PointingHandCursor);
    const QColor rest = help->palette().color(QPalette::WindowText);
    QVERIFY(rest != c<QLabel>(u"Label1")->palette().color(QPalette::WindowText));
    const QPointF inside(4, 4);
    QEnterEvent enter(inside, help->mapToGlobal(inside), help->mapToGlobal(inside));
    QApplication::sendEvent(help, &enter);
    QVERIFY(help->font().underline());
    QVERIFY(help->palette().color(QPalette::WindowText) != rest);
    QVERIFY(help->grab().toImage() != plain);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(help, &leave);
    QVERIFY(!help->font().underline());
    QCOMPARE(help->palette().color(QPalette::WindowText), rest);
    QCOMPARE(help->grab().toImage(), plain);

    c<QWidget>(u"报表")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), help);
    QVERIFY(help->grab().toImage() != plain);  // a focus frame shows where the keyboard is
    QTest::keyClick(help, Qt::Key_Space);
    QTest::keyClick(help, Qt::Key_Return);
    QCOMPARE(popUps.size(), 2);
    QCOMPARE(popUps[0], help->mapToGlobal(help->rect().bottomLeft()));
    QTest::mousePress(help, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(popUps.size(), 3);
    QCOMPARE(popUps[2], help->mapToGlobal(QPoint(4, 4)));

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(help);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("帮助"));
    QVERIFY(iface->state().focusable);
    QVERIFY(iface->actionInterface());
    QVERIFY(iface->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(popUps.size(), 4);
}

void MainWindowTest::screenReadersSeeNamedShownControlsOnly() {
    type(QStringLiteral("欧阳修"));
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window_.get());
    QVERIFY(root);
    QCOMPARE(root->role(), QAccessible::Window);
    QCOMPARE(root->text(QAccessible::Name), QStringLiteral("沐梧取名器 V3.0.28"));

    std::set<QString> seen;
    for (QAccessibleInterface* iface : test::accessibleTree(root)) {
        auto* w = qobject_cast<QWidget*>(iface->object());
        QVERIFY(w);
        if (w->objectName().isEmpty() || w->objectName().startsWith(QStringLiteral("qt_")))
            continue;  // the inner parts of Qt's own controls
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        QVERIFY2(!iface->state().invisible, qPrintable(w->objectName()));
        QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
        seen.insert(w->objectName());
    }
    // Every visible control is there; the work area and the hidden buttons are not.
    for (QWidget* w : window_->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_")))
            QVERIFY2(seen.count(w->objectName()) == size_t(w->isVisible()),
                     qPrintable(w->objectName()));
    }
    QVERIFY(!seen.count(QStringLiteral("Frame2")) && !seen.count(QStringLiteral("求天格")));

    const auto named = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    QCOMPARE(named(c<QWidget>(u"Text3")), QStringLiteral("全称："));
    QCOMPARE(named(c<QWidget>(u"姓长度")), QStringLiteral("姓长度："));
    QCOMPARE(named(c<QWidget>(u"姓")), QStringLiteral("姓：欧阳"));
    QCOMPARE(named(c<QWidget>(u"名")), QStringLiteral("名：修"));
    QCOMPARE(named(c<QWidget>(u"Frame4")), QStringLiteral("评分："));
    QCOMPARE(named(c<QWidget>(u"人名")), QStringLiteral("人名（细算）"));
    QCOMPARE(QAccessible::queryAccessibleInterface(c<QWidget>(u"人名"))->role(),
             QAccessible::RadioButton);
    QCOMPARE(QAccessible::queryAccessibleInterface(c<QWidget>(u"姓长度"))->role(),
             QAccessible::ScrollBar);
    QCOMPARE(QAccessible::queryAccessibleInterface(c<QWidget>(u"Text6"))->role(),
             QAccessible::EditableText);
    QVERIFY(QAccessible::queryAccessibleInterface(c<QWidget>(u"Text6"))->state().readOnly);

    // Company mode hides the grid frames, and with them their place in the tree.
    QTest::mouseClick(c<QRadioButton>(u"公司名"), Qt::LeftButton);
    int frames = 0;
    for (int i = 0; i < root->childCount(); ++i) {
        const QString n = root->child(i)->object()->objectName();
        frames += n.endsWith(QStringLiteral("格板"));
    }
    QCOMPARE(frames, 0);
    clearName();
    QCOMPARE(named(c<QWidget>(u"姓")), QStringLiteral("姓"));
}

}  // namespace muwu
