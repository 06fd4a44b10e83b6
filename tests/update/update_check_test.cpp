// The whole update check against a real HTTP server on the loopback interface: the menu item,
// the product list, the usage ping, the question, the installer and the ends of the program.
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "controls/progress_bar.h"
#include "tests/update/download_test_support.h"
#include "tests/update/local_server.h"
#include "tests/update/update_rig.h"
#include "update/download_buttons.h"

namespace muwu::test {

class UpdateCheckTest : public QObject {
    Q_OBJECT
  private slots:
    void newerVersionAcceptedFetchesStartsAndEnds();
    void newerVersionDeclinedRunsOnWithNothingFetched();
    void sameOrOlderVersionIsNotNewer_data();
    void sameOrOlderVersionIsNotNewer();
    void listWithoutOurLineRunsOn_data();
    void listWithoutOurLineRunsOn();
    void listFetchFailingRunsOn_data();
    void listFetchFailingRunsOn();
    void silentServerShowsTheWaitThenTheNotice();
    void firstOfTwoProductLinesCounts();
    void failedPingEndsTheCheckSilently();
    void installerWithoutLengthIsNotFetched();
    void installerNotWholeIsNeverStarted_data();
    void installerNotWholeIsNeverStarted();
    void stoppedInstallerIsNeverStarted();
    void waitCanBeGivenUp();
    void listAndControlsOfTheHiddenWindow();
    void noticeShowsDefaultPointerAndRestoresIt();
    void everyCheckStartsFromAFreshWindow();
};

void UpdateCheckTest::newerVersionAcceptedFetchesStartsAndEnds() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《青岑诗集》版本：V1.2 文件大小＝900",
                                      u"《沐梧取名器》版本：V3.0.29 文件大小＝5"}));
    r.boxes.answerQuestions({true});
    r.run();

    const auto questions = r.boxes.seen(kQuestion);
    QCOMPARE(questions.size(), 1u);
    QCOMPARE(questions[0].title, QStringLiteral("《沐梧取名器》"));
    QCOMPARE(questions[0].text,
             QStringLiteral("《沐梧取名器》已经有新的版本，版本号为：“V3.0.29”是否下载？"));
    QCOMPARE(questions[0].pointer, std::optional(Qt::WaitCursor));
    const auto messages = r.boxes.seen(kMessage);
    QCOMPARE(messages.size(), 1u);
    QCOMPARE(messages[0].title, kAppTitle);
    QCOMPARE(messages[0].text,
             QStringLiteral("已经下载了新版本：V3.0.29,安装前请关闭《沐梧取名器》，现在安装！"));

    QFile f(r.installerFile());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().toStdString(), r.installer);
    QCOMPARE(r.opened().size(), 1u);
    QCOMPARE(QFile::decodeName(r.opened()[0].c_str()), r.installerFile());
    QCOMPARE(r.ends(), 1);
    QCOMPARE(r.stored(QStringLiteral("下载窗衔接"), QStringLiteral("新版本号")),
             std::optional(QStringLiteral("V3.0.29")));
    QVERIFY(r.stored(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间")));
    // The size came from Content-Length: 5000 bytes are 4 KB; the bar stops below its maximum
    // (2 of 4 after 2048 bytes, never moved again), as the progress rules say.
    QCOMPARE(r.window().文件大小()->text(), QStringLiteral("4"));
    QCOMPARE(r.stored(QStringLiteral("下载窗衔接"), QStringLiteral("下载进度")),
             std::optional(QStringLiteral("50")));
    QCOMPARE(r.window().lblCount()->text(), QStringLiteral("共下载 5000 字节"));
    QVERIFY(r.window().isVisible());
    QCOMPARE(r.window().版本号()->text(), QStringLiteral("版本号：V3.0.29"));
    QCOMPARE(r.server.hits("/list.txt"), 1);
    QCOMPARE(r.server.hits("/RUVEV_VizIvu_count.asp"), 1);
    QVERIFY(r.check()->新版本号() == QStringLiteral("V3.0.29"));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::newerVersionDeclinedRunsOnWithNothingFetched() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
    r.boxes.answerQuestions({false});
    r.run();
    QCOMPARE(r.boxes.seen(kQuestion).size(), 1u);
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.ends(), 0);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(r.server.hits("/VAZUZ_EZ_Uzira.exe"), 0);
    QVERIFY(!QFile::exists(r.installerFile()));
    QVERIFY(r.opened().empty());
    QVERIFY(r.stored(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间")));
    QVERIFY(!r.stored(QStringLiteral("下载窗衔接"), QStringLiteral("新版本号")));
}

void UpdateCheckTest::sameOrOlderVersionIsNotNewer_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("same") << QStringLiteral("《沐梧取名器》版本：V3.0.28 文件大小＝3200");
    // Compared as text, 3.0.28 < 3.0.3 would offer an older version as new.
    QTest::newRow("older but longer as text")
        << QStringLiteral("《沐梧取名器》版本：V3.0.3 文件大小＝3200");
    QTest::newRow("no closing space") << QStringLiteral("《沐梧取名器》版本：V3.0.29");
}

void UpdateCheckTest::sameOrOlderVersionIsNotNewer() {
    QFETCH(QString, line);
    Rig r;
    r.server.put("/list.txt", listOf({line.toStdU16String()}));
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].kind, kMessage);
    QCOMPARE(r.boxes.seen()[0].title, kAppTitle);
    QCOMPARE(r.boxes.seen()[0].text,
             QStringLiteral("作者尚未发布新版本，您目前使用的“V3.0.28”是最新的！"));
    QCOMPARE(r.ends(), 0);
    QCOMPARE(r.server.hits("/RUVEV_VizIvu_count.asp"), 1);
    QCOMPARE(r.server.hits("/VAZUZ_EZ_Uzira.exe"), 0);
    QVERIFY(r.stored(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间")));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::listWithoutOurLineRunsOn_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::newRow("blank before the title")
        << QByteArray::fromStdString(listOf({u" 《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
    QTest::newRow("empty list") << QByteArray();
    QTest::newRow("other products only")
        << QByteArray::fromStdString(listOf({u"《青岑诗集》版本：V9.0 ", u""}));
}

void UpdateCheckTest::listWithoutOurLineRunsOn() {
    QFETCH(QByteArray, list);
    Rig r;
    r.server.put("/list.txt", list.toStdString());
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].kind, kNotice);
    QCOMPARE(r.boxes.seen()[0].text, kFailure);
    QCOMPARE(r.boxes.seen()[0].pointer, std::optional(Qt::ArrowCursor));
    QCOMPARE(r.ends(), 0);
    QCOMPARE(r.server.hits("/RUVEV_VizIvu_count.asp"), 0);
    QVERIFY(!r.stored(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间")));
}

void UpdateCheckTest::listFetchFailingRunsOn_data() {
    QTest::addColumn<bool>("refused");
    QTest::newRow("404") << false;
    QTest::newRow("refused") << true;
}

void UpdateCheckTest::listFetchFailingRunsOn() {
    QFETCH(bool, refused);
    Rig r;
    if (refused)
        r.address = "http://127.0.0.1:" + std::to_string(closedPort());
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].kind, kNotice);
    // The notice, and on a line of its own why the list did not come.
    QVERIFY(r.boxes.seen()[0].text.startsWith(kFailure + QStringLiteral("\n（")));
    if (!refused)
        QVERIFY(r.boxes.seen()[0].text.contains(QStringLiteral("404")));
    QCOMPARE(r.ends(), 0);
    QCOMPARE(r.check()->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 0);
    QVERIFY(!r.stored(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间")));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::silentServerShowsTheWaitThenTheNotice() {
    SilentServer silent;
    Rig r;
    r.address = silent.address();
    r.openLimit = std::chrono::milliseconds(1500);
    QString shown;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &look, [&] {
        if (NoticeWindow* n = shownWaitNotice())
            shown = n->提示()->text();
    });
    look.start(20);
    QElapsedTimer clock;
    clock.start();
    r.run();
    const qint64 took = clock.elapsed();
    QCOMPARE(shown, QStringLiteral("正在连接更新服务器，检测新版本，请稍候……"));
    QVERIFY(!shownWaitNotice());
    QCOMPARE(r.boxes.seen().size(), 1u);
    QVERIFY(r.boxes.seen()[0].text.startsWith(kFailure));
    QVERIFY2(r.boxes.seen()[0].text.contains(QStringLiteral("时限")),
             qPrintable(r.boxes.seen()[0].text));
    // The answer comes with the transfer's limit, not long after it.
    QVERIFY2(took >= 1500 && took < 1500 + 2000, qPrintable(QString::number(took)));
    QCOMPARE(r.ends(), 0);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::waitCanBeGivenUp() {
    SilentServer silent;
    Rig r;
    r.address = silent.address();
    bool pressed = false;
    QTimer giveUp;
    QObject::connect(&giveUp, &QTimer::timeout, &giveUp, [&] {
        if (NoticeWindow* n = shownWaitNotice(); n && !pressed) {
            pressed = true;
            QTest::mouseClick(n->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    giveUp.start(50);
    QElapsedTimer clock;
    clock.start();
    r.run();
    QVERIFY(pressed);
    QVERIFY(clock.elapsed() < 5000);  // well before the 10 s limit
    QVERIFY(!shownWaitNotice());
    QVERIFY(r.boxes.seen().empty());
    QCOMPARE(r.ends(), 0);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::firstOfTwoProductLinesCounts() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.28 文件大小＝10",
                                      u"《沐梧取名器》版本：V9.0.0 文件大小＝20"}));
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].kind, kMessage);
    QCOMPARE(r.check()->新版本号(), QStringLiteral("V3.0.28"));
    QCOMPARE(r.window().文件大小()->text().toInt(), 10);
    auto* list = r.check()->findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(list->currentRow(), 0);
}

void UpdateCheckTest::failedPingEndsTheCheckSilently() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
    r.server.put("/RUVEV_VizIvu_count.asp", "<html>down</html>", UpdateServer::Mode::ErrorPage);
    r.run();
    QVERIFY(r.boxes.seen().empty());
    QCOMPARE(r.ends(), 0);
    QCOMPARE(r.server.hits("/VAZUZ_EZ_Uzira.exe"), 0);
    QVERIFY(r.stored(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间")));
    QVERIFY(r.check()->新版本号().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::installerWithoutLengthIsNotFetched() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
    r.server.put("/VAZUZ_EZ_Uzira.exe", r.installer, UpdateServer::Mode::NoLength);
    r.boxes.answerQuestions({true});
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);  // the question only
    QCOMPARE(r.ends(), 0);
    QVERIFY(r.opened().empty());
    QVERIFY(!QFile::exists(r.installerFile()));
    QVERIFY(r.window().isVisible());
    QVERIFY(!r.stored(QStringLiteral("下载窗衔接"), QStringLiteral("新版本号")));
}

void UpdateCheckTest::installerNotWholeIsNeverStarted_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("truncated") << static_cast<int>(UpdateServer::Mode::Truncated);
    QTest::newRow("error page") << static_cast<int>(UpdateServer::Mode::ErrorPage);
}

void UpdateCheckTest::installerNotWholeIsNeverStarted() {
    QFETCH(int, mode);
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
    r.server.put("/VAZUZ_EZ_Uzira.exe", r.installer, static_cast<UpdateServer::Mode>(mode));
    r.boxes.answerQuestions({true});
    r.run();
    QVERIFY(r.opened().empty());
    QCOMPARE(r.ends(), 0);
    QVERIFY(r.boxes.seen(kMessage).empty() ||
            !r.boxes.seen(kMessage).back().text.startsWith(QStringLiteral("已经下载了新版本")));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::stoppedInstallerIsNeverStarted() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝200"}));
    r.installer = installerBytes(200 * 1024);
    r.server.put("/VAZUZ_EZ_Uzira.exe", r.installer, UpdateServer::Mode::Slow);
    r.boxes.answerQuestions({true});
    // The user presses 停止 once the installer's transfer shows progress. The window is made by
    // the check itself, and the list and the ping go through it hidden first, so the stopper
    // waits for the shown window rather than arming whenUnderWay on it.
    bool pressed = false;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, &stopper, [&] {
        if (pressed || !r.windowExists())
            return;
        DownloadWindow& w = r.window();
        if (w.isVisible() && w.transferRunning() && showsProgress(w)) {
            pressed = true;
            QTest::mouseClick(w.cmdStop(), Qt::LeftButton);
        }
    });
    stopper.start(5);
    r.run();
    QVERIFY(pressed);
    QVERIFY2(r.window().lblCount()->text().endsWith(QStringLiteral("字节已丢弃，没有安装。")),
             qPrintable(r.window().lblCount()->text()));
    QVERIFY(r.opened().empty());
    QCOMPARE(r.ends(), 0);
    QVERIFY(r.boxes.seen(kMessage).empty());
    QVERIFY(r.window().isVisible());
}

void UpdateCheckTest::listAndControlsOfTheHiddenWindow() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《青岑诗集》版本：V1.2 ", u"",
                                      u"《沐梧取名器》版本：V3.0.28 文件大小＝ 12K"}));
    r.run();
    UpdateCheck* w = r.check();
    QVERIFY(w && !w->isVisible());
    auto* list = w->findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(1)->text(), QString());
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("下载"))->text(),
             QStringLiteral("下载《沐梧取名器》"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("版本"))->text(), QStringLiteral("版本：3.0.28"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("沐梧工作室的产品列表："));
    QVERIFY(!w->findChild<QCheckBox*>(QStringLiteral("自动"))->isChecked());
    QVERIFY(w->findChild<QLabel*>(QStringLiteral("底棒")));
    QCOMPARE(r.window().文件大小()->text().toInt(), 12);
    // Reset at the load; the two small transfers since may have counted a slow chunk each.
    QVERIFY(r.window().SlowCount() <= 2);
    QCOMPARE(r.window().进度条()->max(), 12);
    QVERIFY(!r.window().isVisible());
    QCOMPARE(w->下载目录(), r.folder());
    QVERIFY(QFile::exists(r.folder() + QStringLiteral("/list.txt")));
    QVERIFY(!QFile::exists(r.folder() + QStringLiteral("/RUVEV_VizIvu_count.asp")));
    for (const char* name : {"版本分析", "读产品列表", "下载", "List1", "自动"}) {
        QWidget* c = w->findChild<QWidget*>(QString::fromUtf8(name));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        QVERIFY(a && !a->text(QAccessible::Name).isEmpty());
    }
}

void UpdateCheckTest::noticeShowsDefaultPointerAndRestoresIt() {
    BoxAnswerer boxes;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    显示提示(QStringLiteral("一条提示"));
    QCOMPARE(boxes.seen().size(), 1u);
    QCOMPARE(boxes.seen()[0].text, QStringLiteral("一条提示"));
    QCOMPARE(boxes.seen()[0].pointer, std::optional(Qt::ArrowCursor));
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::everyCheckStartsFromAFreshWindow() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.28 "}));
    r.run();
    QPointer<UpdateCheck> first = r.check();
    QCOMPARE(first->新版本号(), QStringLiteral("V3.0.28"));
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.28"}));
    r.run();
    QVERIFY(r.check() != first.data());
    QVERIFY(r.check()->新版本号().isEmpty());
    QTRY_VERIFY(!first);
    QCOMPARE(r.server.hits("/list.txt"), 2);
}

}  // namespace muwu::test

QTEST_MAIN(muwu::test::UpdateCheckTest)
#include "update_check_test.moc"
