// Renders the cover and the about box, one picture each, to look at them:
//   shell_shot COVER.png ABOUT.png
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <cstdio>

#include "shell/about_box.h"
#include "shell/cover.h"
#include "shell/menu_window.h"
#include "shell/start_up.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: shell_shot COVER.png ABOUT.png\n");
        return 2;
    }
    muwu::StartUpOptions o = muwu::desktopStartUpOptions();
    o.openUrl = [](const QUrl&) {};
    // Settings of its own, so looking at the pictures is no first start of the user's program.
    const QTemporaryDir settings;
    o.settingsFile = settings.filePath(QStringLiteral("muwu.ini"));
    muwu::StartUp startUp(std::move(o));
    startUp.menuWindow().帮助()->actions().front()->trigger();
    QApplication::processEvents();
    const bool ok = startUp.cover().grab().save(QString::fromLocal8Bit(argv[1])) &&
                    startUp.menuWindow().aboutBox()->grab().save(QString::fromLocal8Bit(argv[2]));
    return ok ? 0 : 1;
}
