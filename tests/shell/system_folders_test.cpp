// The hidden system-folders window, read as the rest of the program reads it. CTest gives the test
// a fresh home with Desktop, Documents and a fonts folder, and nothing else.
#include "shell/system_folders.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>

#include "platform/desktop_folder.h"
#include "shell/folder_map.h"

namespace muwu {

class SystemFoldersTest : public QObject {
    Q_OBJECT

  private slots:
    void isCreatedOnFirstReadAndNeverShown();
    void boxesHoldTheUsersFolders();
    void theCommandLineFindsTheWindowsDesktop_data();
    void theCommandLineFindsTheWindowsDesktop();

  private:
    static QString home() { return qEnvironmentVariable("HOME"); }
};

void SystemFoldersTest::isCreatedOnFirstReadAndNeverShown() {
    const auto before = QApplication::topLevelWidgets();
    QVERIFY(std::none_of(before.begin(), before.end(),
                         [](QWidget* w) { return w->objectName() == QStringLiteral("系统目录"); }));
    const QString desktop = SystemFolders::text(QStringLiteral("txtDesktop"));
    SystemFolders& folders = SystemFolders::instance();
    QCOMPARE(&SystemFolders::instance(), &folders);
    QCOMPARE(folders.objectName(), QStringLiteral("系统目录"));
    QCOMPARE(folders.windowTitle(), QStringLiteral("系统目录"));
    QVERIFY(!folders.isVisible());
    QCOMPARE(desktop, folders.box(QStringLiteral("txtDesktop"))->text());

    QStringList names;
    for (const QLineEdit* box : folders.findChildren<QLineEdit*>())
        names << box->objectName();
    QCOMPARE(names.size(), 19);
    for (const FolderBox& b : kFolderBoxes) {
        QVERIFY(names.contains(
            QString::fromUtf16(b.name.data(), static_cast<qsizetype>(b.name.size()))));
    }
    QCOMPARE(SystemFolders::text(QStringLiteral("txtNoSuchBox")), QString());
}

void SystemFoldersTest::boxesHoldTheUsersFolders() {
    QCOMPARE(SystemFolders::text(QStringLiteral("txtDesktop")),
             home() + QStringLiteral("/Desktop"));
    QCOMPARE(SystemFolders::text(QStringLiteral("txtDocument")),
             home() + QStringLiteral("/Documents"));
    QCOMPARE(SystemFolders::text(QStringLiteral("txtFonts")),
             home() + QStringLiteral("/.local/share/fonts"));
    QCOMPARE(SystemFolders::text(QStringLiteral("txtAppData")),
             home() + QStringLiteral("/.local/share"));
    QCOMPARE(SystemFolders::text(QStringLiteral("txtPageTmp")), home() + QStringLiteral("/.cache"));

    // The temporary folder ends with a separator; the others do not.
    QCOMPARE(SystemFolders::text(QStringLiteral("txtTemp")), home() + QStringLiteral("/tmp/"));
    // Folders the home does not have, and folders this platform has no counterpart for, are empty.
    for (const char* box : {"txtShellNew", "txtStart", "txtProgram", "txtStartMenu", "txtWin",
                            "txtSystem", "txtSendTo", "txtFavorites", "txtRecent", "txtNetHood",
                            "txtCookies", "txtHistory", "txtPrintHood"}) {
        QVERIFY2(SystemFolders::text(QString::fromLatin1(box)).isEmpty(), box);
    }
}

void SystemFoldersTest::theCommandLineFindsTheWindowsDesktop_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::newRow("none") << QByteArray();
    QTest::newRow("translated") << QByteArray("XDG_DESKTOP_DIR=\"$HOME/桌面\"\n");
    QTest::newRow("absolute") << QByteArray("# comment\nXDG_DESKTOP_DIR=\"/srv/desk/\"\n");
    QTest::newRow("twice") << QByteArray(
        "XDG_DESKTOP_DIR=\"$HOME/a\"\nXDG_DESKTOP_DIR=\"$HOME/b\"\n");
}

void SystemFoldersTest::theCommandLineFindsTheWindowsDesktop() {
    QFETCH(QByteArray, config);
    const QString file = home() + QStringLiteral("/.config/user-dirs.dirs");
    if (config.isEmpty()) {
        QFile::remove(file);
    } else {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(config);
    }
    const QString qt = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QCOMPARE(QString::fromStdString(desktopFolder().string()), qt);
    QFile::remove(file);
}

}  // namespace muwu

QTEST_MAIN(muwu::SystemFoldersTest)
#include "system_folders_test.moc"
