#include "shell/start_up.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

#include "names/main_window.h"
#include "platform/data_folder.h"
#include "platform/desktop_opener.h"
#include "shell/cover.h"
#include "shell/menu_window.h"

namespace muwu {

StartUpOptions desktopStartUpOptions() {
    StartUpOptions o;
    o.dataFolder = findDataFolder(programFolder());
    o.linkFolder = o.dataFolder;
    o.site = siteAddress(std::getenv(kSiteVariable));
    o.openUrl = desktopUrlOpener();
    o.openFile = desktopOpener();
    o.settingsFile =
        SettingsStore::defaultFile(QString::fromStdU16String(std::u16string(kSettingsApplication)));
    return o;
}

StartUp::StartUp(StartUpOptions options) : options_(std::move(options)) {
    links_ = std::make_unique<LinkActions>(options_.linkFolder, options_.site, options_.openUrl,
                                           SettingsStore(options_.settingsFile));
    cover_ = std::make_unique<Cover>(*links_, options_.coverDelay);
    connect(cover_.get(), &Cover::timeUp, this, &StartUp::showMainWindow);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = cover_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        cover_->move(frame.topLeft());
    }
    cover_->show();
}

StartUp::~StartUp() = default;

MenuWindow& StartUp::menuWindow() {
    if (!menu_)
        menu_ = std::make_unique<MenuWindow>(*links_);
    return *menu_;
}

void StartUp::showMainWindow() noexcept {
    try {
        if (!main_) {
            main_ = std::make_unique<MainWindow>(options_.dataFolder, options_.openFile);
            main_->setHelpMenu([this](const QPoint& at) { menuWindow().popUp(at, main_.get()); });
            connect(main_.get(), &MainWindow::closing, this, &StartUp::end);
            if (options_.mainWindowCreated)
                options_.mainWindowCreated(*main_);
        }
        main_->show();
        main_->activateWindow();
    } catch (...) {
        // Without its working window the program has nothing to offer.
        end();
    }
}

void StartUp::end() noexcept {
    if (ended_)
        return;
    ended_ = true;
    try {
        // Closed, not deleted: end() may run inside a handler of the cover itself.
        cover_->unload();
        cover_->close();
        if (options_.endProgram)
            options_.endProgram();
        else
            QCoreApplication::exit(0);
    } catch (...) {
        QCoreApplication::exit(1);
    }
}

}  // namespace muwu
