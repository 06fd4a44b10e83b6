// The name bar as a user reads it (a long name whole, the score clear and bold), the window's
// frame, and Enter on the owner-drawn buttons.
#include <QAccessible>
#include <QFontMetrics>
#include <QRadioButton>

#include "platform/fit_line_edit.h"
#include "tests/names/main_window_test.h"
#include "tests/support/widget_input.h"

namespace muwu {

namespace {

// The share of dark pixels in an image: how much ink a text leaves.
double ink(const QImage& image) {
    qint64 dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return double(dark) / double(image.width() * image.height());
}

}  // namespace

void MainWindowTest::aLongCompanyNameShowsWholeInTheNameBar() {
    makeWindow(test::shippedData());
    QMap<QString, QRect> before;
    for (QWidget* w : c<QWidget>(u"Frame1")->findChildren<QWidget*>())
        before[w->objectName()] = w->geometry();

    QTest::mouseClick(c<QRadioButton>(u"公司名"), Qt::LeftButton);
    const QString company = QStringLiteral("深圳市鸿运国际贸易有限公司");
    type(company);
    auto* name = c<FitLineEdit>(u"Text3");
    QCOMPARE(name->text(), company);
    // Every character on view at once: with the cursor after the last one, as the box draws it,
    // the last one ends inside the box and the first one starts inside it; in a size no smaller
    // than the window's captions.
    QCOMPARE(name->cursorPosition(), company.size());
    (void)name->grab();  // the box places its text when it paints
    const int end = name->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    const int start = end - QFontMetrics(name->font()).horizontalAdvance(company);
    QVERIFY2(start >= 0 && end < name->width(),
             qPrintable(QStringLiteral("%1 %2").arg(start).arg(end)));
    QVERIFY(name->font().pointSizeF() >= c<QLabel>(u"Label1")->font().pointSizeF());
    QVERIFY(name->font().bold());
    // The box reaches to the options, which stay where they were, as does everything else.
    QVERIFY(name->geometry().right() < c<QWidget>(u"人名")->geometry().left());
    QVERIFY(name->width() > 160);
    for (QWidget* w : c<QWidget>(u"Frame1")->findChildren<QWidget*>())
        QCOMPARE(w->geometry(), before.value(w->objectName()));

    // A short name keeps the box's own size.
    clearName();
    type(QStringLiteral("李田思"));
    QCOMPARE(name->font().pointSizeF(), 14.25);
}

void MainWindowTest::theWindowOffersNoMaximise() {
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
}

void MainWindowTest::enterPressesAFocusedButtonAsSpaceDoes() {
    type(QStringLiteral("李田思"));
    auto* report = c<MWButton>(u"报表");
    report->setFocus();
    QTest::keyClick(report, Qt::Key_Return);
    QCOMPARE(opener_.opened().size(), 1u);
    QTest::keyClick(report, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(opener_.opened().size(), 2u);
    QTest::keyClick(report, Qt::Key_Space);
    QCOMPARE(opener_.opened().size(), 3u);

    // A release whose press went elsewhere (Enter that closed a message box) presses nothing.
    QTest::keyRelease(report, Qt::Key_Return);
    QCOMPARE(opener_.opened().size(), 3u);

    auto* naming = c<MWButton>(u"自动取名");
    naming->setFocus();
    QTest::keyClick(naming, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(notices(QStringLiteral("自动取名消息")).size(), 1);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(naming);
    QVERIFY(iface->actionInterface()
                ->keyBindingsForAction(QAccessibleActionInterface::pressAction())
                .contains(QStringLiteral("Enter")));
}

void MainWindowTest::theScoreIsBoldAndClearOfItsCaption() {
    type(QStringLiteral("李田思"));
    auto* frame = c<QWidget>(u"Frame4");
    auto* score = c<QLabel>(u"评分");
    QCOMPARE(score->text(), QStringLiteral("72.8"));
    const QImage shown = frame->grab().toImage();
    // Rows with ink over the score's width, from the top: the caption, a gap, the digits.
    const auto inked = [&](int y) {
        for (int x = score->x() + 2; x < score->geometry().right() - 2; ++x)
            if (qGray(shown.pixel(x, y)) < 128)
                return true;
        return false;
    };
    int y = 0;
    while (y < shown.height() && !inked(y))
        ++y;
    while (y < shown.height() && inked(y))
        ++y;  // the caption
    int gap = 0;
    while (y < shown.height() && !inked(y))
        ++gap, ++y;
    QVERIFY2(gap >= 2, qPrintable(QString::number(gap)));
    QVERIFY(y > score->y());  // what follows is the digits
    // No ink of the digits in the three rows right above the frame's lower edge.
    for (int row = shown.height() - 5; row < shown.height() - 2; ++row)
        QVERIFY(!inked(row));
    QVERIFY(score->geometry().bottom() < frame->height() - 2);

    // Bold as 宋体's bold looks: about twice the ink of the regular digits. (The bold face of the
    // serif that stands in for 宋体 gives half as much again, which reads as regular beside the
    // bold name.)
    const QImage bold = score->grab().toImage();
    QFont regular = score->font();
    regular.setBold(false);
    score->setFont(regular);
    const QImage plain = score->grab().toImage();
    QVERIFY2(ink(bold) > 1.8 * ink(plain),
             qPrintable(QStringLiteral("%1 %2").arg(ink(bold)).arg(ink(plain))));
}

void MainWindowTest::thePinyinShowsInTheFreeNumberColumn() {
    auto* pinyin = c<QLabel>(u"拼音");
    const auto named = [&] {
        return QAccessible::queryAccessibleInterface(pinyin)->text(QAccessible::Name);
    };
    QCOMPARE(pinyin->text(), QStringLiteral("拼音："));
    QCOMPARE(named(), QStringLiteral("拼音"));
    type(QStringLiteral("单雄信"));  // 单 as a surname reads shàn
    QCOMPARE(pinyin->text(), QStringLiteral("拼音：\nshàn xióng xìn"));
    QCOMPARE(named(), QStringLiteral("拼音：shàn xióng xìn"));

    // In the free part of 天格板's number column: below the number, left of the grid text, and
    // clear of 人格板 below; each line whole.
    const auto onWindow = [&](const char16_t* name) {
        QWidget* w = c<QWidget>(name);
        return QRect(w->mapTo(window_.get(), QPoint(0, 0)), w->size());
    };
    const QRect at = onWindow(u"拼音");
    QVERIFY(onWindow(u"天格板").contains(at));
    QVERIFY(at.top() > onWindow(u"天格笔画数").bottom());
    QVERIFY(at.right() < onWindow(u"Text5").left());
    QVERIFY(!at.intersects(onWindow(u"人格板")));
    const QFontMetrics m = pinyin->fontMetrics();
    QVERIFY(m.horizontalAdvance(QStringLiteral("shàn xióng")) <= pinyin->width());
    QVERIFY(3 * m.lineSpacing() <= pinyin->height());

    // A company's name, whose grid frames are hidden, still shows it; what does not fit gives
    // way to an ellipsis, and the tooltip and a screen reader have it whole.
    QTest::mouseClick(c<QRadioButton>(u"公司名"), Qt::LeftButton);
    clearName();
    type(QStringLiteral("深圳市鸿运国际贸易有限公司"));
    const QString whole = QStringLiteral(
        "shēn zhèn shì hóng yùn guó jì mào yì yǒu xiàn gōng sī");
    QVERIFY(pinyin->isVisible());
    QCOMPARE(pinyin->toolTip(), whole);
    QCOMPARE(named(), QStringLiteral("拼音：") + whole);
    QVERIFY(pinyin->text().startsWith(QStringLiteral("拼音：\nshēn zhèn")));
    QVERIFY(pinyin->text().endsWith(QStringLiteral(" …")));
    QVERIFY(m.boundingRect(QRect(0, 0, pinyin->width(), pinyin->height()),
                           Qt::TextWordWrap, pinyin->text())
                .height() <= pinyin->height());
}

}  // namespace muwu
