// 沐梧取名器: the desktop program. Start-up is the cover; closing the main window ends the program.
#include <QApplication>
#include <utility>

#include "names/main_window.h"
#include "naming/naming_window.h"
#include "platform/desktop_opener.h"
#include "shell/cover_picture.h"
#include "shell/menu_window.h"
#include "shell/start_up.h"
#include "shell/system_folders.h"
#include "update/download_window.h"
#include "update/server_address.h"
#include "update/update_check.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("沐梧取名器"));
    QApplication::setDesktopFileName(QStringLiteral("muwu"));
    QApplication::setWindowIcon(muwu::programIcon());
    // Hidden and closed windows do not end the program; only the main window's close does.
    QApplication::setQuitOnLastWindowClosed(false);
    muwu::StartUpOptions options = muwu::desktopStartUpOptions();
    options.mainWindowCreated = [](muwu::MainWindow& main) { muwu::attachNamingWindow(main); };
    const QString settingsFile = options.settingsFile;
    muwu::StartUp startUp(std::move(options));

    // The online update: 新版本检测 loads a fresh 获取新版本, which drives the one download window.
    const std::string server = muwu::updateServerAddress();
    muwu::DownloadWindowInstance downloads([&server] {
        muwu::DownloadWindowOptions o = muwu::desktopDownloadWindowOptions();
        // The too-slow ending sends the user to the update server's site.
        o.site = QString::fromStdString(server);
        return o;
    });
    muwu::UpdateChecks checks([&] {
        muwu::UpdateCheckOptions o;
        o.server = server;
        o.settingsFile = settingsFile;
        o.versionCaption = [&startUp] { return startUp.cover().versionCaption(); };
        o.documentsFolder = [] { return muwu::SystemFolders::text(QStringLiteral("txtDocument")); };
        o.downloadWindow = [&downloads]() -> muwu::DownloadWindow& { return downloads.get(); };
        o.openInstaller = muwu::desktopOpener();
        o.endProgram = [] { QCoreApplication::exit(0); };
        o.prompts = muwu::messageBoxPrompts();
        return o;
    });
    startUp.menuWindow().setUpdateCheck([&checks] { checks.新版本检测(); });
    return QApplication::exec();
}
