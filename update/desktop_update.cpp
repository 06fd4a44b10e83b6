#include "update/desktop_update.h"

#include "platform/desktop_opener.h"
#include "shell/menu_window.h"
#include "shell/start_up.h"
#include "shell/system_folders.h"

namespace muwu {

DesktopUpdate::DesktopUpdate(StartUp& startUp, QString settingsFile, std::string server,
                             DesktopUpdateHooks hooks)
    : startUp_(startUp),
      settingsFile_(std::move(settingsFile)),
      server_(std::move(server)),
      hooks_(std::move(hooks)),
      downloads_([this] {
          DownloadWindowOptions o = desktopDownloadWindowOptions();
          o.settings = SettingsStore(settingsFile_);
          // The too-slow notice sends the user to the update server's site.
          o.site = QString::fromStdString(server_);
          if (hooks_.endProgram)
              o.endProgram = hooks_.endProgram;
          return o;
      }),
      checks_([this] {
          UpdateCheckOptions o;
          o.server = server_;
          o.settingsFile = settingsFile_;
          o.versionCaption = [this] { return startUp_.cover().versionCaption(); };
          o.documentsFolder = [] { return SystemFolders::text(QStringLiteral("txtDocument")); };
          o.downloadWindow = [this]() -> DownloadWindow& { return downloads_.get(); };
          o.openInstaller = hooks_.openInstaller ? hooks_.openInstaller : desktopOpener();
          o.prompts = messageBoxPrompts();
          return o;
      }) {
    startUp_.menuWindow().setUpdateCheck([this] { checks_.新版本检测(); });
}

}  // namespace muwu
