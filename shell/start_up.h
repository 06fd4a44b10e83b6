#pragma once
// The program's start and end: the cover is created and shown, its timer has the main window
// created and shown, and closing the main window unloads the cover and ends the program, whatever
// else is open. The help menu's holder is created the first time the menu pops up.
#include <QObject>
#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/opener.h"
#include "shell/cover.h"
#include "shell/link_actions.h"

namespace muwu {

class MainWindow;
class MenuWindow;

struct StartUpOptions {
    std::filesystem::path dataFolder;  // the character data of the main window
    std::filesystem::path linkFolder;  // the local pages of the links; the program's folder
    std::string site;                  // the maker's site address
    UrlOpener openUrl;                 // the links' pages and files
    FileOpener openFile;               // the name report
    QString settingsFile;
    std::chrono::milliseconds coverDelay = kCoverDelay;
    // Ends the program; QCoreApplication::exit(0) when empty.
    std::function<void()> endProgram;
    // What other windows hang on the main window once it exists (the naming window, say).
    std::function<void(MainWindow&)> mainWindowCreated;
};

// The installed program's options: data and pages from the program's folder, the site from
// MUWU_SITE or the built-in address, the desktop's openers, the user's settings file.
[[nodiscard]] StartUpOptions desktopStartUpOptions();

class StartUp : public QObject {
    Q_OBJECT
  public:
    // Creates, loads and shows the cover; that is the whole start.
    explicit StartUp(StartUpOptions options);
    ~StartUp() override;

    [[nodiscard]] Cover& cover() const noexcept { return *cover_; }
    // Null until the cover's timer has fired.
    [[nodiscard]] MainWindow* mainWindow() const noexcept { return main_.get(); }
    [[nodiscard]] MenuWindow& menuWindow();
    [[nodiscard]] LinkActions& links() noexcept { return *links_; }
    [[nodiscard]] bool ended() const noexcept { return ended_; }

  private:
    void showMainWindow() noexcept;
    void end() noexcept;

    StartUpOptions options_;
    // The links outlive every window whose labels run them.
    std::unique_ptr<LinkActions> links_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<MenuWindow> menu_;
    std::unique_ptr<Cover> cover_;
    bool ended_ = false;
};

}  // namespace muwu
