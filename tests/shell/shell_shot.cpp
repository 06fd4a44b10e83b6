// Renders the cover and the about box, one picture each, to look at them:
//   shell_shot [--screen SCREEN.png] COVER.png ABOUT.png
// --screen opens the about box from the main window's help menu, with a link focused, and
// pictures the whole screen (under xvfb-run) to see where it lies.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "names/main_window.h"
#include "shell/about_box.h"
#include "shell/cover.h"
#include "shell/menu_window.h"
#include "shell/start_up.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    QString screenShot;
    if (args.size() > 1 && args[0] == QStringLiteral("--screen")) {
        screenShot = args[1];
        args = args.mid(2);
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: shell_shot [--screen SCREEN.png] COVER.png ABOUT.png\n");
        return 2;
    }
    muwu::StartUpOptions o = muwu::desktopStartUpOptions();
    o.openUrl = [](const QUrl&) {};
    // Settings of its own, so looking at the pictures is no first start of the user's program.
    const QTemporaryDir settings;
    o.settingsFile = settings.filePath(QStringLiteral("muwu.ini"));
    if (!screenShot.isEmpty())
        o.coverDelay = std::chrono::milliseconds(1);
    muwu::StartUp startUp(std::move(o));
    if (!screenShot.isEmpty()) {
        // The about box as the help menu of the main window opens it, its 设计 link focused.
        if (!QTest::qWaitFor(
                [&] { return startUp.mainWindow() && startUp.mainWindow()->isVisible(); }))
            return 1;
        startUp.menuWindow().popUp(startUp.mainWindow()->mapToGlobal(QPoint(60, 160)),
                                   startUp.mainWindow());
        startUp.menuWindow().帮助()->hide();
    }
    startUp.menuWindow().帮助()->actions().front()->trigger();
    QApplication::processEvents();
    muwu::AboutBox* about = startUp.menuWindow().aboutBox();
    if (!screenShot.isEmpty()) {
        about->activateWindow();
        (void)QTest::qWaitForWindowActive(about);  // a picture without the focus will do
        about->findChild<QWidget*>(QStringLiteral("设计"))->setFocus(Qt::TabFocusReason);
        QTest::qWait(200);
    }
    bool ok = startUp.cover().grab().save(args[0]) && about->grab().save(args[1]);
    if (!screenShot.isEmpty())
        ok = ok && about->screen()->grabWindow(0).save(screenShot);
    return ok ? 0 : 1;
}
