// Pictures of the buttons in their windows, for looking at them (not a test):
//   button_shots MAIN.png NAMING.png
// the main window with the mouse over 报表, and the naming window with 求名 focused. Each picture
// is followed by the button alone, four times enlarged (MAIN-button.png, NAMING-button.png).
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <cstdio>

#include "controls/mw_button.h"
#include "names/main_window.h"
#include "naming/naming_window.h"
#include "platform/data_folder.h"
#include "tests/support/widget_input.h"

namespace {

bool save(QWidget* window, muwu::MWButton* button, const QString& file) {
    QString zoomed = file;
    zoomed.replace(QStringLiteral(".png"), QStringLiteral("-button.png"));
    const QImage b = button->grab().toImage();
    return window->grab().save(file) &&
           b.scaled(b.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(zoomed);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: button_shots MAIN.png NAMING.png\n");
        return 2;
    }
    muwu::MainWindow main(muwu::findDataFolder(muwu::programFolder()), [](const auto&) {});
    main.move(20, 20);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    muwu::test::typeText(main.control<QLineEdit>(QStringLiteral("Text3")),
                         QStringLiteral("欧阳修"));

    auto* report = main.control<muwu::MWButton>(QStringLiteral("报表"));
    const QPoint over(report->width() / 2, report->height() / 2);
    QPoint cursor = report->mapToGlobal(over);
    muwu::MWButton::setCursorQuery([&] { return cursor; });
    QMouseEvent move(QEvent::MouseMove, QPointF(over), QPointF(cursor), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(report, &move);
    QTest::qWait(200);  // the leave check finds the mouse still there
    bool ok = save(&main, report, args[0]);

    cursor = QPoint(-1000, -1000);
    muwu::attachNamingWindow(main, {});
    main.control<muwu::MWButton>(QStringLiteral("自动取名"))->setValue(true);
    auto* naming = muwu::namingWindowOf(main);
    if (!naming || !QTest::qWaitForWindowExposed(naming))
        return 1;
    auto* start = naming->findChild<muwu::MWButton*>(QStringLiteral("求名"));
    naming->activateWindow();
    start->setFocus(Qt::TabFocusReason);
    QTest::qWait(200);
    ok = save(naming, start, args[1]) && ok;
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        QTest::qWait(1000);
    return ok ? 0 : 1;
}
