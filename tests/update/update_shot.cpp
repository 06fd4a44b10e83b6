// Pictures of the online update as the program runs it (not a test): the program's start-up and
// update wiring against the server MUWU_UPDATE_SERVER names. It chooses 新版本检测, photographs
// the screen when the question comes, answers Yes, photographs the download window halfway
// through the installer, and stops where the program would start the installer.
//   update_shot OUTDIR
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "controls/progress_bar.h"
#include "names/main_window.h"
#include "shell/menu_window.h"
#include "shell/start_up.h"
#include "update/desktop_update.h"
#include "update/download_buttons.h"
#include "update/server_address.h"

namespace {

void shoot(const QString& file) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const bool ok = screen && screen->grabWindow(0).save(file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 2) {
        std::fprintf(stderr, "usage: update_shot OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    muwu::StartUpOptions options = muwu::desktopStartUpOptions();
    options.openUrl = [](const QUrl&) {};
    options.coverDelay = std::chrono::milliseconds(200);
    const QString settingsFile = options.settingsFile;
    muwu::StartUp startUp(std::move(options));
    muwu::DesktopUpdateHooks hooks;
    hooks.openInstaller = [](const std::filesystem::path& f) {
        std::printf("would start %s\n", f.c_str());
    };
    hooks.endProgram = [] { QCoreApplication::exit(0); };
    muwu::DesktopUpdate update(startUp, settingsFile, muwu::updateServerAddress(), hooks);

    bool asked = false, transferShot = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (!asked && startUp.mainWindow() && startUp.mainWindow()->isVisible()) {
            asked = true;
            for (QAction* a : startUp.menuWindow().帮助()->actions())
                if (a->objectName() == QStringLiteral("新版本检测"))
                    QTimer::singleShot(0, a, &QAction::trigger);
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (box->property("shot").toBool())
                return;
            box->setProperty("shot", true);
            const bool question = box->button(QMessageBox::Yes) != nullptr;
            QTimer::singleShot(300, box, [box, question, out] {
                shoot(out +
                      (question ? QStringLiteral("/question.png") : QStringLiteral("/ready.png")));
                box->button(question ? QMessageBox::Yes : QMessageBox::Ok)->click();
            });
            return;
        }
        if (!transferShot && update.downloads().exists()) {
            muwu::DownloadWindow& w = update.downloads().get();
            if (w.isVisible() && w.transferRunning() && w.进度条()->max() > 0 &&
                w.进度条()->Value() * 2 >= w.进度条()->max()) {
                transferShot = true;
                shoot(out + QStringLiteral("/download.png"));
            }
        }
    });
    poll.start(5);
    QTimer::singleShot(60000, [] { QCoreApplication::exit(3); });
    return QApplication::exec();
}
