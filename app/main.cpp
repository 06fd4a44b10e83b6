// 沐梧取名器: the desktop program. Start-up is the cover; closing the main window ends the program.
#include <QApplication>
#include <utility>

#include "names/main_window.h"
#include "naming/naming_window.h"
#include "platform/ui_language.h"
#include "shell/cover_picture.h"
#include "shell/start_up.h"
#include "update/desktop_update.h"
#include "update/server_address.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("沐梧取名器"));
    QApplication::setDesktopFileName(QStringLiteral("muwu"));
    QApplication::setWindowIcon(muwu::programIcon());
    // Chinese whatever the locale: message boxes answer 确定, 是, 否.
    muwu::installQtChinese(app);
    // Hidden and closed windows do not end the program; only the main window's close does.
    QApplication::setQuitOnLastWindowClosed(false);
    muwu::StartUpOptions options = muwu::desktopStartUpOptions();
    options.mainWindowCreated = [](muwu::MainWindow& main) { muwu::attachNamingWindow(main); };
    const QString settingsFile = options.settingsFile;
    muwu::StartUp startUp(std::move(options));

    // 新版本检测 in the help menu runs the online update against this server.
    muwu::DesktopUpdate update(startUp, settingsFile, muwu::updateServerAddress());
    return QApplication::exec();
}
