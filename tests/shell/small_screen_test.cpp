// Every window on an 800 × 600 screen: on the screen's free area, the main window's controls all
// reachable under its scroll bars.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>

#include "controls/mw_button.h"
#include "naming/naming_window.h"
#include "platform/screen_fit.h"
#include "shell/about_box.h"
#include "shell/menu_window.h"
#include "tests/shell/shell_test_support.h"

namespace muwu {

using namespace shell_test;

class SmallScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void everyWindowStaysOnTheScreen();
    void theMainWindowScrollsToEveryControl();
};

namespace {

QRect free(const QWidget* w) {
    return w->screen()->availableGeometry();
}

std::unique_ptr<StartUp> start(Machine& m) {
    return startedWithMainWindow(m, [](MainWindow& main) { attachNamingWindow(main); });
}

// The part of the main window its controls are seen through, in the window's coordinates.
QRect view(const MainWindow& main) {
    const PanArea* pan = main.panArea();
    return {0, 0, pan->vertical()->isVisible() ? pan->vertical()->x() : main.width(),
            pan->horizontal()->isVisible() ? pan->horizontal()->y() : main.height()};
}

}  // namespace

void SmallScreenTest::everyWindowStaysOnTheScreen() {
    Machine m;
    auto s = start(m);
    QVERIFY(s);
    QCOMPARE(free(&s->cover()).size(), QSize(800, 600));
    MainWindow& main = *s->mainWindow();
    QVERIFY(free(&main).contains(main.frameGeometry()));
    QVERIFY(free(&s->cover()).contains(s->cover().frameGeometry()));
    QVERIFY(main.frameGeometry().contains(s->cover().frameGeometry()));

    // No window has room beside the main window here: each covers it, but never its name bar,
    // and stays above it.
    const QWidget* bar = main.control(QStringLiteral("Frame1"));
    const QRect nameBar(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    QTest::mouseClick(main.control<muwu::MWButton>(QStringLiteral("自动取名")), Qt::LeftButton);
    NamingWindow* naming = namingWindowOf(main);
    QVERIFY(naming && naming->isVisible());
    QVERIFY(free(naming).contains(naming->frameGeometry()));
    QVERIFY(!naming->frameGeometry().intersects(nameBar));
    QCOMPARE(naming->windowHandle()->transientParent(), main.windowHandle());

    // The name list has no room beside the naming window either: it stays above it.
    QTest::mouseClick(naming->findChild<MWButton*>(QStringLiteral("列出好名")), Qt::LeftButton);
    QWidget* list = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("选名窗") && top->isVisible())
            list = top;
    }
    QVERIFY(list);
    QVERIFY(free(list).contains(list->frameGeometry()));
    QCOMPARE(list->windowHandle()->transientParent(), naming->windowHandle());
    list->close();

    s->menuWindow().popUp(main.mapToGlobal(QPoint(60, 160)), &main);
    s->menuWindow().帮助()->hide();
    s->menuWindow().帮助()->actions().front()->trigger();
    AboutBox* about = s->menuWindow().aboutBox();
    QVERIFY(about && about->isVisible());
    QVERIFY(free(about).contains(about->frameGeometry()));
    QVERIFY(!about->frameGeometry().intersects(nameBar));
}

void SmallScreenTest::theMainWindowScrollsToEveryControl() {
    Machine m;
    auto s = start(m);
    QVERIFY(s);
    MainWindow& main = *s->mainWindow();
    const PanArea* pan = main.panArea();
    QVERIFY(pan);
    QVERIFY(pan->horizontal()->isVisible() && pan->vertical()->isVisible());
    QVERIFY(main.width() < 892 && main.height() < 656);

    // Down to the last grid frame and right to the end of the name bar.
    pan->vertical()->setValue(pan->vertical()->maximum());
    pan->horizontal()->setValue(pan->horizontal()->maximum());
    for (const char* name : {"外格板", "Frame1"}) {
        QWidget* frame = main.control(QString::fromUtf8(name));
        const QRect at(frame->mapTo(&main, QPoint(0, 0)), frame->size());
        QVERIFY2(at.bottom() < view(main).bottom() + 1 || QString::fromUtf8(name) == "Frame1",
                 name);
        QVERIFY2(at.right() <= view(main).right(), name);
    }
    const QRect last(main.control(QStringLiteral("外格板"))->mapTo(&main, QPoint(0, 0)),
                     main.control(QStringLiteral("外格板"))->size());
    QVERIFY(view(main).contains(last.bottomRight()));

    // The focus brings what it reaches into view: 帮助 …
    QVERIFY(QTest::qWaitForWindowActive(&main));
    pan->vertical()->setValue(0);
    pan->horizontal()->setValue(0);
    QWidget* help = main.control(QStringLiteral("Label4"));
    help->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), help);
    QVERIFY(view(main).contains(QRect(help->mapTo(&main, QPoint(0, 0)), help->size())));
    // … and the name box at the top left.
    pan->vertical()->setValue(pan->vertical()->maximum());
    pan->horizontal()->setValue(pan->horizontal()->maximum());
    QWidget* name = main.control(QStringLiteral("Text3"));
    name->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), name);
    QVERIFY(view(main).contains(QRect(name->mapTo(&main, QPoint(0, 0)), name->size())));

    // A wheel turned over the window scrolls it.
    pan->vertical()->setValue(0);
    QWheelEvent wheel(QPointF(20, 20), main.mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&main, &wheel);
    QVERIFY(pan->vertical()->value() > 0);
}

}  // namespace muwu

QTEST_MAIN(muwu::SmallScreenTest)
#include "small_screen_test.moc"
