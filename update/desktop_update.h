#pragma once
// The online update as the desktop program wires it: 新版本检测 in the help menu loads a fresh
// 获取新版本, which drives the program's one download window.
#include <QString>
#include <functional>
#include <string>

#include "platform/opener.h"
#include "update/download_window.h"
#include "update/update_check.h"

namespace muwu {

class StartUp;

struct DesktopUpdateHooks {
    FileOpener openInstaller;          // the desktop's opener when empty
    std::function<void()> endProgram;  // QCoreApplication::exit(0) when empty
};

class DesktopUpdate {
  public:
    DesktopUpdate(StartUp& startUp, QString settingsFile, std::string server,
                  DesktopUpdateHooks hooks = {});
    DesktopUpdate(const DesktopUpdate&) = delete;
    DesktopUpdate& operator=(const DesktopUpdate&) = delete;

    [[nodiscard]] UpdateChecks& checks() noexcept { return checks_; }
    [[nodiscard]] DownloadWindowInstance& downloads() noexcept { return downloads_; }

  private:
    StartUp& startUp_;
    QString settingsFile_;
    std::string server_;
    DesktopUpdateHooks hooks_;
    DownloadWindowInstance downloads_;
    UpdateChecks checks_;
};

}  // namespace muwu
