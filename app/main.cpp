// 沐梧取名器: the desktop program. For now it opens the main window directly.
#include <QApplication>

#include "names/main_window.h"
#include "platform/data_folder.h"
#include "platform/desktop_opener.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("沐梧取名器"));
    muwu::MainWindow window(muwu::findDataFolder(muwu::programFolder()), muwu::desktopOpener());
    window.show();
    return QApplication::exec();
}
