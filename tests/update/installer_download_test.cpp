// The installer download: only a whole installer is announced and started, and the program ends
// only then; every other ending leaves the window open and the program running.
#include <QtTest>

#include "controls/progress_bar.h"
#include "tests/update/download_test_support.h"
#include "update/installer_download.h"

using namespace muwu;
using namespace muwu::test;

class InstallerDownloadTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { server_ = std::make_unique<LocalServer>(); }
    void init();
    void cleanup() { server_->release(); }

    void wholeInstallerIsStartedAndTheProgramEnds();
    void incompleteInstallerIsNeverStarted_data();
    void incompleteInstallerIsNeverStarted();
    void stoppedInstallerIsNeverStarted();
    void startedAgainAfterAStopEndsAsTheFirstWould();
    void installerThatCannotBePutInPlaceIsNeverStarted();
    void noSizeFetchesNothing_data();
    void noSizeFetchesNothing();

  private:
    InstallerDownload request(const char* prefix) const;
    [[nodiscard]] QString installer() const {
        return dir_->filePath(QStringLiteral("VAZUZ_EZ_Uzira.exe"));
    }

    std::unique_ptr<LocalServer> server_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::shared_ptr<Recorder> rec_;
    std::unique_ptr<DownloadWindow> window_;
};

void InstallerDownloadTest::init() {
    server_->rearm();
    dir_ = std::make_unique<QTemporaryDir>();
    rec_ = std::make_shared<Recorder>();
    window_ = std::make_unique<DownloadWindow>(
        recordingOptions(rec_, dir_->filePath(QStringLiteral("settings.ini"))));
    rec_->window = window_.get();
}

InstallerDownload InstallerDownloadTest::request(const char* prefix) const {
    InstallerDownload r;
    r.server = qstr(server_->base()) + QLatin1String(prefix);
    r.downloadFolder = dir_->path();
    r.newVersion = QStringLiteral("V3.0.29");
    r.openFile = rec_->opener.opener();
    return r;
}

void InstallerDownloadTest::wholeInstallerIsStartedAndTheProgramEnds() {
    QCOMPARE(下载(*window_, request("/")), InstallerResult::Started);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->文件大小()->text(), QStringLiteral("4"));  // 5000 bytes, whole kilobytes
    QCOMPARE(window_->txtURL()->text(), qstr(server_->base()) + "/VAZUZ_EZ_Uzira.exe");
    QCOMPARE(window_->txtFile()->text(), installer());
    QCOMPARE(window_->lblCount()->text(), QStringLiteral("共下载 5000 字节"));
    QCOMPARE(window_->版本号()->text(), QStringLiteral("版本号：V3.0.29"));
    QCOMPARE(readAll(installer()), QByteArray::fromStdString(patternBody(5000)));
    QCOMPARE(rec_->messages,
             QStringList{QStringLiteral(
                 "沐梧取名器|已经下载了新版本：V3.0.29,安装前请关闭《沐梧取名器》，现在安装！")});
    QCOMPARE(rec_->opener.opened().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(rec_->opener.opened().front().string()), installer());
    QCOMPARE(rec_->ends, 1);
    QCOMPARE(SettingsStore(dir_->filePath(QStringLiteral("settings.ini")))
                 .value(QStringLiteral("下载窗衔接"), QStringLiteral("新版本号")),
             std::optional<QString>(QStringLiteral("V3.0.29")));
}

void InstallerDownloadTest::incompleteInstallerIsNeverStarted_data() {
    QTest::addColumn<QString>("prefix");
    QTest::newRow("cut short of its Content-Length") << "/short";
}

void InstallerDownloadTest::incompleteInstallerIsNeverStarted() {
    QFETCH(QString, prefix);
    writeFile(installer(), "previous installer");
    QCOMPARE(下载(*window_, request(prefix.toUtf8().constData())), InstallerResult::Failed);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->lblCount()->text(), QStringLiteral("打开URL错误"));
    QVERIFY(rec_->messages.isEmpty());
    QVERIFY(rec_->opener.opened().empty());
    QCOMPARE(rec_->ends, 0);
    QCOMPARE(readAll(installer()), QByteArray("previous installer"));
}

void InstallerDownloadTest::stoppedInstallerIsNeverStarted() {
    auto* w = window_.get();
    auto* poll = new QTimer(w);
    QObject::connect(poll, &QTimer::timeout, w, [this, w, poll] {
        if (showsProgress(*w)) {
            poll->stop();
            QTest::mouseClick(w->cmdStop(), Qt::LeftButton);
            server_->release();
        }
    });
    poll->start(5);
    QCOMPARE(下载(*window_, request("/hold")), InstallerResult::Failed);
    // Said in the status line: what arrived is gone, and nothing was installed.
    const QString status = window_->lblCount()->text();
    QVERIFY2(status.startsWith(QStringLiteral("已停止，收到的 ")) &&
                 status.endsWith(QStringLiteral(" 字节已丢弃，没有安装。")),
             qPrintable(status));
    QCOMPARE(window_->lastOutcome(), DownloadWindow::Outcome::Stopped);
    QVERIFY(rec_->messages.isEmpty());
    QVERIFY(rec_->opener.opened().empty());
    QCOMPARE(rec_->ends, 0);
    QVERIFY(!QFile::exists(installer()));
}

void InstallerDownloadTest::startedAgainAfterAStopEndsAsTheFirstWould() {
    DownloadWindow* w = window_.get();
    whenUnderWay(w, [this, w] {
        QTest::mouseClick(w->cmdStop(), Qt::LeftButton);
        server_->release();
    });
    QCOMPARE(下载(*window_, request("/hold")), InstallerResult::Failed);
    QVERIFY(rec_->messages.isEmpty());
    // The user presses 开始 again: the whole file comes, is checked, and the installer starts.
    QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
    QCOMPARE(w->lblCount()->text(), QStringLiteral("共下载 5000 字节"));
    QCOMPARE(rec_->messages,
             QStringList{QStringLiteral(
                 "沐梧取名器|已经下载了新版本：V3.0.29,安装前请关闭《沐梧取名器》，现在安装！")});
    QCOMPARE(rec_->opener.opened().size(), std::size_t{1});
    QCOMPARE(rec_->ends, 1);
    QCOMPARE(readAll(installer()), QByteArray::fromStdString(patternBody(5000)));
}

void InstallerDownloadTest::installerThatCannotBePutInPlaceIsNeverStarted() {
    // Once the transfer is under way a folder takes the installer's name, so the finished file
    // cannot be given it.
    DownloadWindow* w = window_.get();
    whenUnderWay(w, [this] {
        QDir().mkpath(installer() + QStringLiteral("/inside"));
        server_->release();
    });
    QCOMPARE(下载(*window_, request("/hold")), InstallerResult::Failed);
    QCOMPARE(w->lblCount()->text(), QStringLiteral("打开URL错误"));
    QCOMPARE(w->lastOutcome(), DownloadWindow::Outcome::Failed);
    QVERIFY2(w->lastFailure().startsWith(QStringLiteral("无法写入文件")),
             qPrintable(w->lastFailure()));
    QVERIFY(rec_->messages.isEmpty());
    QVERIFY(rec_->opener.opened().empty());
    QCOMPARE(rec_->ends, 0);
    QCOMPARE(strays(dir_->path(), {"settings.ini", "VAZUZ_EZ_Uzira.exe"}), QStringList());
}

void InstallerDownloadTest::noSizeFetchesNothing_data() {
    QTest::addColumn<QString>("prefix");
    QTest::newRow("no Content-Length") << "/nolength";
    QTest::newRow("404") << "/nowhere";
}

void InstallerDownloadTest::noSizeFetchesNothing() {
    QFETCH(QString, prefix);
    QCOMPARE(下载(*window_, request(prefix.toUtf8().constData())), InstallerResult::NoSize);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->文件大小()->text(), QStringLiteral("3181"));
    QCOMPARE(window_->lblCount()->text(), QStringLiteral("下载"));
    QVERIFY(!QFile::exists(installer()));
    QVERIFY(rec_->opener.opened().empty());
    QCOMPARE(rec_->ends, 0);
}

QTEST_MAIN(InstallerDownloadTest)
#include "installer_download_test.moc"
