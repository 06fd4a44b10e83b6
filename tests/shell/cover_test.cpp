// The start of the program as a user meets it: the cover, the once-only visits, the main window
// after the cover's delay, and the end when the main window closes.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "names/version.h"
#include "platform/ui_fonts.h"
#include "shell/about_box.h"
#include "shell/cover.h"
#include "shell/cover_picture.h"
#include "shell/menu_window.h"
#include "tests/shell/shell_test_support.h"

namespace muwu {

using namespace shell_test;
using namespace std::chrono_literals;

class CoverTest : public QObject {
    Q_OBJECT

  private slots:
    void coverShowsPictureVersionLinksAndOneTimer();
    void desktopOptionsTakeTheSiteVariableAndTheUsersSettings();
    void firstStartOpensTheSiteOnceLaterStartsDoNot();
    void timerShowsTheMainWindowOnceAndTheCoverStays();
    void pressOnTheCoverHidesItButNotOnItsLinks();
    void firstExitOpensTheAuthorPageOnce();
    void authorPageOpenedDuringTheRunIsNotOpenedAtTheEnd();
    void localAuthorPageIsOpenedAtTheEnd();
    void damagedSettingsStillStart_data();
    void damagedSettingsStillStart();
    void unreadableSettingsOpenNothingAndStayAsTheyWere();
    void failingDesktopNeverStopsTheProgram();
    void closingTheMainWindowEndsTheProgramWithOtherWindowsOpen();
    void coverIsAWindowWhoseLinksWorkWithoutAMouse();
};

void CoverTest::coverShowsPictureVersionLinksAndOneTimer() {
    Machine m;
    StartUp s(m.options(Cover::kDelay));
    Cover& cover = s.cover();
    QCOMPARE(cover.objectName(), QStringLiteral("封面"));
    QCOMPARE(cover.windowTitle(), QStringLiteral("封面"));
    QVERIFY(cover.isVisible());
    QCOMPARE(cover.size(), QSize(550, 300));
    QCOMPARE(coverPicture().size(), QSize(550, 300));
    // What is on screen is the picture.
    const QImage shown = cover.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.pixel(5, 5), coverPicture().pixel(5, 5));
    QCOMPARE(shown.pixel(450, 150), coverPicture().pixel(450, 150));

    const auto* version = cover.findChild<QLabel*>(QStringLiteral("版本名称"));
    QVERIFY(version);
    QCOMPARE(version->text(), QStringLiteral("版本：3.0.28"));
    QCOMPARE(cover.versionCaption(),
             QStringLiteral("版本：") + QString::fromStdString(versionText()));

    const struct {
        const char* name;
        QString caption;
        QString tip;
    } links[] = {
        {"沐梧工作室", QStringLiteral("官方网站：沐梧工作室"), kSite},
        {"设计", QStringLiteral("设计：青岑"), kAuthorUrl.toString()},
        {"诗集", QStringLiteral("青岑诗集"), kPoetryUrl.toString()},
    };
    for (const auto& l : links) {
        const auto* label = cover.findChild<QLabel*>(QString::fromUtf8(l.name));
        QVERIFY2(label, l.name);
        QCOMPARE(label->text(), l.caption);
        QCOMPARE(label->toolTip(), l.tip);
        QVERIFY(cover.rect().contains(label->geometry()));
        QCOMPARE(label->font().family(), songTi(9).family());
        // The tooltip keeps its own background.
        QVERIFY2(tooltipBackgroundShare(const_cast<QLabel*>(label)) > 0.5, l.name);
    }
    // A screen reader finds the window and every label by its text.
    const std::map<QString, QString> names = accessibleNames(&cover);
    QCOMPARE(names.at(QStringLiteral("封面")), QStringLiteral("封面"));
    QCOMPARE(names.at(QStringLiteral("版本名称")), QStringLiteral("版本：3.0.28"));
    QCOMPARE(names.at(QStringLiteral("设计")), QStringLiteral("设计：青岑"));
    QCOMPARE(names.at(QStringLiteral("沐梧工作室")), QStringLiteral("官方网站：沐梧工作室"));
    QCOMPARE(names.at(QStringLiteral("诗集")), QStringLiteral("青岑诗集"));

    const auto timers = cover.findChildren<QTimer*>();
    QCOMPARE(timers.size(), 1);
    QCOMPARE(timers[0]->objectName(), QStringLiteral("Timer1"));
    QCOMPARE(timers[0]->interval(), 2000);
    QCOMPARE(timers[0]->timerType(), Qt::PreciseTimer);
    QVERIFY(timers[0]->isActive());
    QVERIFY(!s.mainWindow());
}

void CoverTest::desktopOptionsTakeTheSiteVariableAndTheUsersSettings() {
    qunsetenv(kSiteVariable);
    StartUpOptions o = desktopStartUpOptions();
    QCOMPARE(o.site, std::string(kSiteAddress));
    QCOMPARE(o.coverDelay, 2000ms);
    QCOMPARE(o.settingsFile,
             qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/muwu/沐梧取名器.ini"));
    QVERIFY(std::filesystem::is_regular_file(o.dataFolder / "01画的字.txt"));
    QCOMPARE(o.linkFolder, o.dataFolder);
    qputenv(kSiteVariable, "http://localhost:8080/muwu/");
    QCOMPARE(desktopStartUpOptions().site, std::string("http://localhost:8080/muwu/"));
    qunsetenv(kSiteVariable);
}

void CoverTest::firstStartOpensTheSiteOnceLaterStartsDoNot() {
    Machine m;
    {
        StartUp first(m.options(Cover::kDelay));
        QCOMPARE(m.urls.opened(), std::vector<QUrl>{kSiteUrl});
        QCOMPARE(m.stored(kSiteKey), std::optional<QString>(QStringLiteral("True")));
        QVERIFY(!m.stored(kAuthorKey));
    }
    m.urls.clear();
    {
        StartUp second(m.options(Cover::kDelay));
        QVERIFY(m.urls.opened().empty());
        // The label opens the site whenever it is clicked; the key simply stays.
        QTest::mouseClick(second.cover().findChild<QLabel*>(QStringLiteral("沐梧工作室")),
                          Qt::LeftButton);
        QCOMPARE(m.urls.opened(), std::vector<QUrl>{kSiteUrl});
        QCOMPARE(m.stored(kSiteKey), std::optional<QString>(QStringLiteral("True")));
    }
}

void CoverTest::timerShowsTheMainWindowOnceAndTheCoverStays() {
    Machine m;
    StartUp s(m.options(30ms));
    QVERIFY(!s.mainWindow());
    QTRY_VERIFY(s.mainWindow() && s.mainWindow()->isVisible());
    MainWindow* main = s.mainWindow();
    QCOMPARE(main->objectName(), QStringLiteral("主窗"));
    QVERIFY(!s.cover().findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    QVERIFY(s.cover().isVisible());
    // The main window lies over the whole cover: no strip of it shows beside.
    QVERIFY(main->frameGeometry().contains(s.cover().frameGeometry()));
    QVERIFY(main->screen()->availableGeometry().contains(main->frameGeometry()));
    main->hide();
    QTest::qWait(100);
    QCOMPARE(s.mainWindow(), main);
    QVERIFY(!main->isVisible());
    QCOMPARE(m.ends(), 0);
}

void CoverTest::pressOnTheCoverHidesItButNotOnItsLinks() {
    Machine m;
    StartUp s(m.options(150ms));
    m.urls.clear();
    auto* design = s.cover().findChild<QLabel*>(QStringLiteral("设计"));
    QTest::mouseClick(design, Qt::LeftButton);
    QVERIFY(s.cover().isVisible());
    QCOMPARE(m.urls.opened(), std::vector<QUrl>{kAuthorUrl});

    QTest::mousePress(&s.cover(), Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(!s.cover().isVisible());
    QVERIFY(!s.mainWindow());
    // Hidden before the delay is over: the main window still comes, and the cover stays away.
    QTRY_VERIFY(s.mainWindow() && s.mainWindow()->isVisible());
    QVERIFY(!s.cover().isVisible());
    QVERIFY(!s.cover().unloaded());
    // Closed by the desktop rather than by the program's end, it only hides.
    s.cover().show();
    s.cover().close();
    QVERIFY(!s.cover().isVisible());
    QVERIFY(!s.cover().unloaded());
    QCOMPARE(m.urls.opened(), std::vector<QUrl>{kAuthorUrl});
    QCOMPARE(m.ends(), 0);
}

void CoverTest::firstExitOpensTheAuthorPageOnce() {
    Machine m;
    {
        auto s = startedWithMainWindow(m);
        QVERIFY(s);
        m.urls.clear();
        // Hidden by a press first: unloading a hidden cover still runs its end.
        QTest::mousePress(&s->cover(), Qt::LeftButton, {}, QPoint(8, 8));
        s->mainWindow()->close();
        QCOMPARE(m.urls.opened(), std::vector<QUrl>{kAuthorUrl});
        QCOMPARE(m.stored(kAuthorKey), std::optional<QString>(QStringLiteral("True")));
        QVERIFY(s->ended());
        QVERIFY(s->cover().unloaded());
        QVERIFY(!s->cover().isVisible());
        QCOMPARE(m.ends(), 1);
    }
    m.urls.clear();
    {
        auto s = startedWithMainWindow(m);
        QVERIFY(s);
        s->mainWindow()->close();
        QVERIFY(m.urls.opened().empty());
        QCOMPARE(m.ends(), 2);
    }
}

void CoverTest::authorPageOpenedDuringTheRunIsNotOpenedAtTheEnd() {
    Machine m;
    auto s = startedWithMainWindow(m);
    QVERIFY(s);
    QTest::mouseClick(s->cover().findChild<QLabel*>(QStringLiteral("设计")), Qt::LeftButton);
    m.urls.clear();
    s->mainWindow()->close();
    QVERIFY(m.urls.opened().empty());
    QCOMPARE(m.ends(), 1);
}

void CoverTest::localAuthorPageIsOpenedAtTheEnd() {
    Machine m;
    m.place(QStringLiteral("Lanqiao_jianjie.htm"), "<html>青岑</html>");
    auto s = startedWithMainWindow(m);
    QVERIFY(s);
    const QString local = QFile::decodeName((m.linkFolder() / "Lanqiao_jianjie.htm").c_str());
    QCOMPARE(s->cover().findChild<QLabel*>(QStringLiteral("设计"))->toolTip(), local);
    m.urls.clear();
    s->mainWindow()->close();
    QCOMPARE(m.urls.opened(), std::vector<QUrl>{QUrl::fromLocalFile(local)});
}

void CoverTest::damagedSettingsStillStart_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("siteOpened");
    QTest::addColumn<bool>("authorOpened");

    QTest::newRow("empty file") << QByteArray() << true << true;
    QTest::newRow("binary junk") << QByteArray("\x00\x01\xff[[[\n=\n\xfe", 10) << true << true;
    QTest::newRow("written by hand, UTF-8 keys")
        << QByteArray("[参数]\n已经打开官方网页=True\n已经打开作者网页=True\n") << false << false;
    QTest::newRow("false values") << QByteArray(
                                         "[参数]\n已经打开官方网页=False\n已经打开作者网页=0\n")
                                  << true << true;
    QTest::newRow("unexpected values count as done")
        << QByteArray("[参数]\n已经打开官方网页=yes, please\n已经打开作者网页=\n") << false
        << false;
    QTest::newRow("other sections only")
        << QByteArray("[下载窗]\ntxtURL=http://x.test/a.exe\n") << true << true;
}

void CoverTest::damagedSettingsStillStart() {
    QFETCH(QByteArray, file);
    QFETCH(bool, siteOpened);
    QFETCH(bool, authorOpened);
    Machine m;
    m.writeSettings(file);
    auto s = startedWithMainWindow(m);
    QVERIFY(s);
    QCOMPARE(m.urls.opened() == std::vector<QUrl>{kSiteUrl}, siteOpened);
    QCOMPARE(m.urls.opened().empty(), !siteOpened);
    m.urls.clear();
    s->mainWindow()->close();
    QCOMPARE(m.urls.opened() == std::vector<QUrl>{kAuthorUrl}, authorOpened);
    QCOMPARE(m.urls.opened().empty(), !authorOpened);
    if (siteOpened)
        QCOMPARE(m.stored(kSiteKey), std::optional<QString>(QStringLiteral("True")));
    // Whatever else the file held is still there.
    if (file.contains("txtURL"))
        QCOMPARE(m.store().value(QStringLiteral("下载窗"), QStringLiteral("txtURL")),
                 std::optional<QString>(QStringLiteral("http://x.test/a.exe")));
}

void CoverTest::unreadableSettingsOpenNothingAndStayAsTheyWere() {
    // A folder where the file should be cannot be read, by root neither.
    Machine m;
    QVERIFY(QDir().mkpath(m.settingsFile()));
    QVERIFY(!m.store().readable());
    auto s = startedWithMainWindow(m);
    QVERIFY(s);
    QTest::mouseClick(s->cover().findChild<QLabel*>(QStringLiteral("沐梧工作室")), Qt::LeftButton);
    QCOMPARE(m.urls.opened(), std::vector<QUrl>{kSiteUrl});
    s->mainWindow()->close();
    QCOMPARE(m.urls.opened(), std::vector<QUrl>{kSiteUrl});
    QCOMPARE(m.ends(), 1);
    QVERIFY(QFileInfo(m.settingsFile()).isDir());
}

void CoverTest::failingDesktopNeverStopsTheProgram() {
    Machine m;
    m.urls.failFromNowOn();
    auto s = startedWithMainWindow(m);
    QVERIFY(s);
    QCOMPARE(m.urls.opened(), std::vector<QUrl>{kSiteUrl});
    // Recorded all the same: a failed open is not asked about.
    QCOMPARE(m.stored(kSiteKey), std::optional<QString>(QStringLiteral("True")));
    QTest::mouseClick(s->cover().findChild<QLabel*>(QStringLiteral("诗集")), Qt::LeftButton);
    s->mainWindow()->close();
    QCOMPARE(m.urls.opened().size(), 3u);
    QCOMPARE(m.stored(kAuthorKey), std::optional<QString>(QStringLiteral("True")));
    QCOMPARE(m.ends(), 1);
}

void CoverTest::closingTheMainWindowEndsTheProgramWithOtherWindowsOpen() {
    // The real end: the application's event loop returns, with the about box, a message box and
    // a window of someone else's still open.
    QApplication::setQuitOnLastWindowClosed(false);
    Machine m;
    StartUpOptions o = m.options(1ms);
    o.endProgram = nullptr;
    StartUp s(std::move(o));
    QWidget stranger;
    bool closed = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &poll, [&] {
        if (closed || !s.mainWindow() || !s.mainWindow()->isVisible())
            return;
        closed = true;
        MenuWindow& menu = s.menuWindow();
        for (QAction* a : menu.帮助()->actions())
            a->trigger();
        stranger.show();
        s.mainWindow()->close();
    });
    poll.start(5);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, &watchdog, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(clock.elapsed() < 4000);
    QVERIFY(closed);
    QVERIFY(s.menuWindow().aboutBox() && s.menuWindow().aboutBox()->isVisible());
    QVERIFY(s.menuWindow().findChild<QMessageBox*>(QStringLiteral("新版本检测消息")));
    QVERIFY(stranger.isVisible());
    QVERIFY(s.cover().unloaded());
    QCOMPARE(m.urls.opened(), (std::vector<QUrl>{kSiteUrl, kAuthorUrl}));
}

void CoverTest::coverIsAWindowWhoseLinksWorkWithoutAMouse() {
    Machine m;
    m.writeSettings("[参数]\n已经打开官方网页=True\n已经打开作者网页=True\n");
    StartUp s(m.options(Cover::kDelay));
    Cover& cover = s.cover();
    QCOMPARE(QAccessible::queryAccessibleInterface(&cover)->role(), QAccessible::Window);
    cover.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&cover));
    // The first link has the focus when the cover is active; Tab goes round the three.
    QCOMPARE(cover.focusWidget()->objectName(), QStringLiteral("沐梧工作室"));
    linksWorkWithoutAMouse(&cover, cover.findChild<QLabel*>(QStringLiteral("诗集")), m.urls);
    QVERIFY(cover.isVisible());  // a key on a link does not hide the cover
}

}  // namespace muwu

QTEST_MAIN(muwu::CoverTest)
#include "cover_test.moc"
