// The progress bar widget: what it paints, its Change signal and what assistive tools see.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QtTest>

#include "controls/progress_bar.h"

using muwu::ProgressBar;

class ProgressBarTest : public QObject {
    Q_OBJECT
  private slots:
    void paintsStrokeAndWhiteLineOverBackground();
    void emptyBarShowsBackgroundOnly();
    void heightIsThreePixels();
    void changeSignalFollowsTheRules();
    void accessibleAsProgressBar();
    void propertiesRoundTripWithDefaultsLeftOut();
};

namespace {

// A bar 102 pixels (1530 twips) wide, shown, with max 100.
std::unique_ptr<ProgressBar> shownBar() {
    auto bar = std::make_unique<ProgressBar>();
    bar->resize(102, 3);
    bar->setMax(100);
    bar->show();
    return bar;
}

}  // namespace

void ProgressBarTest::paintsStrokeAndWhiteLineOverBackground() {
    auto bar = shownBar();
    bar->set进度条色(QColor(0, 0, 255));
    bar->set背景色(QColor(10, 20, 30));
    bar->setValue(50);
    QCOMPARE(bar->redLine().x2, 750.0f);
    const QImage img = bar->grab().toImage();
    QCOMPARE(img.height(), 3);
    // Inside the filled part (x from 2 to 50): the stroke above and below, white in the middle.
    QCOMPARE(img.pixelColor(20, 0), QColor(0, 0, 255));
    QCOMPARE(img.pixelColor(20, 1), QColor(Qt::white));
    QCOMPARE(img.pixelColor(20, 2), QColor(0, 0, 255));
    // Beyond it, and left of the start: background.
    QCOMPARE(img.pixelColor(80, 1), QColor(10, 20, 30));
    QCOMPARE(img.pixelColor(0, 1), QColor(10, 20, 30));
}

void ProgressBarTest::emptyBarShowsBackgroundOnly() {
    auto bar = std::make_unique<ProgressBar>();
    bar->resize(102, 3);
    bar->show();
    const QImage img = bar->grab().toImage();
    for (int x = 0; x < img.width(); x += 10)
        QCOMPARE(img.pixelColor(x, 1), QColor(192, 192, 192));
}

void ProgressBarTest::heightIsThreePixels() {
    auto bar = shownBar();
    bar->resize(200, 40);
    QCOMPARE(bar->height(), 3);
    QCOMPARE(bar->redLine().x2, 0.0f);  // value 0 with max 100 after the resize's check
}

void ProgressBarTest::changeSignalFollowsTheRules() {
    auto bar = shownBar();
    QSignalSpy spy(bar.get(), &ProgressBar::Change);
    bar->setValue(40);
    QCOMPARE(spy.count(), 1);
    bar->setValue(250);  // widens the maximum
    QCOMPARE(bar->max(), 250);
    QVERIFY(spy.count() >= 2);
    spy.clear();
    bar->setMin(250);  // max = min: drawn, but no Change
    QCOMPARE(spy.count(), 0);
    QCOMPARE(bar->Value(), 250);
    bar->setMax(100);  // below the minimum: the minimum and the value follow
    QCOMPARE(bar->Min(), 100);
    QCOMPARE(bar->Value(), 100);
}

void ProgressBarTest::accessibleAsProgressBar() {
    auto bar = shownBar();
    bar->setValue(30);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(bar.get());
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::ProgressBar);
    QVERIFY(!a->text(QAccessible::Name).isEmpty());
    QAccessibleValueInterface* v = a->valueInterface();
    QVERIFY(v);
    QCOMPARE(v->currentValue().toInt(), 30);
    QCOMPARE(v->maximumValue().toInt(), 100);
}

void ProgressBarTest::propertiesRoundTripWithDefaultsLeftOut() {
    muwu::controls::PropertyBag empty;
    ProgressBar fresh;
    fresh.readProperties(empty);  // the defaults
    QCOMPARE(fresh.max(), 32767);
    QCOMPARE(fresh.背景色(), QColor(192, 192, 192));
    muwu::controls::PropertyBag written;
    fresh.writeProperties(written);
    QVERIFY(written.entries().empty());

    auto bar = shownBar();
    bar->setValue(42);
    bar->set进度条色(QColor(0, 128, 0));
    bar->set刷新(true);
    muwu::controls::PropertyBag bag;
    bar->writeProperties(bag);
    QCOMPARE(bag.read<std::int64_t>(u"最大值", 0), std::int64_t{100});
    QVERIFY(!bag.contains(u"最小值"));
    QVERIFY(!bag.contains(u"背景色"));
    QCOMPARE(bag.read<std::int64_t>(u"进度条色", 0), std::int64_t{0x008000});
    ProgressBar copy;
    copy.resize(102, 3);
    copy.readProperties(bag);
    QCOMPARE(copy.max(), 100);
    QCOMPARE(copy.Value(), 42);
    QCOMPARE(copy.进度条色(), QColor(0, 128, 0));
    QVERIFY(copy.刷新());
}

QTEST_MAIN(ProgressBarTest)
#include "progress_bar_test.moc"
