// A picture of the download window in the middle of a transfer from a local server, for looking
// at the layout (not a test): download_window_shot OUT.png
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "controls/progress_bar.h"
#include "tests/update/local_server.h"
#include "update/download_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: download_window_shot OUT.png\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    muwu::test::LocalServer server;
    QTemporaryDir dir;
    muwu::DownloadWindowOptions o;
    o.settings = muwu::SettingsStore(dir.filePath(QStringLiteral("settings.ini")));
    muwu::DownloadWindow w(o);
    w.文件大小()->setText(QStringLiteral("5"));
    w.进度条()->setMax(5);
    w.txtURL()->setText(QString::fromStdString(server.base()) + QStringLiteral("/hold"));
    w.txtFile()->setText(dir.filePath(QStringLiteral("沐梧取名器/VAZUZ_EZ_Uzira.exe")));
    QDir(dir.path()).mkpath(QStringLiteral("沐梧取名器"));
    w.show();
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &w, [&] {
        // The server holds the last bytes: the window shows the transfer under way.
        if (w.进度条()->Value() >= 4) {
            poll.stop();
            QTimer::singleShot(300, &w, [&] {
                saved = w.grab().save(out);
                // The 3-pixel bar, four times enlarged, beside it.
                const QImage bar = w.进度条()->grab().toImage();
                bar.scaled(bar.width() * 4, bar.height() * 4)
                    .save(QString(out).replace(QStringLiteral(".png"), QStringLiteral("-bar.png")));
                server.release();
            });
        }
    });
    poll.start(10);
    w.cmdStart()->setValue(true);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(out));
    return saved ? 0 : 1;
}
