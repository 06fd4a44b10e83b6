// What a hostile or broken update server may send, against a real HTTP server on the loopback
// interface: lists and replies without end, installers of the wrong size or digest, files planted
// as links in the update folder, and the server's address spelt in capitals.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include "tests/update/download_test_support.h"
#include "tests/update/update_rig.h"
#include "update/server_address.h"

namespace muwu::test {

class HostileServerTest : public QObject {
    Q_OBJECT
  private slots:
    void digestDecidesWhetherTheInstallerStarts_data();
    void digestDecidesWhetherTheInstallerStarts();
    void installerOfTheWrongSizeIsNeverStarted_data();
    void installerOfTheWrongSizeIsNeverStarted();
    void endlessListIsRefusedAtItsLimit();
    void pingReplyIsReadALittleAndNotKept();
    void plantedLinksAreReplacedNotWrittenThrough();
    void schemeInCapitalsReachesTheServer();
};

void HostileServerTest::digestDecidesWhetherTheInstallerStarts_data() {
    QTest::addColumn<QString>("digest");
    QTest::addColumn<bool>("starts");
    const QString right = sha256Of(installerBytes());
    QTest::newRow("matching") << right << true;
    QTest::newRow("matching, upper case") << right.toUpper() << true;
    QString wrong = right;
    wrong[0] = wrong[0] == u'0' ? u'1' : u'0';
    QTest::newRow("not matching") << wrong << false;
    QTest::newRow("malformed") << right.left(63) << false;
}

void HostileServerTest::digestDecidesWhetherTheInstallerStarts() {
    QFETCH(QString, digest);
    QFETCH(bool, starts);
    Rig r;
    r.server.put(
        "/list.txt",
        listOf({(u"《沐梧取名器》版本：V3.0.29 文件大小＝5 SHA256＝" + digest.toStdU16String())}));
    QVERIFY(QDir().mkpath(r.folder()));
    writeFile(r.installerFile(), "the installer fetched last time");
    r.boxes.answerQuestions({true});
    r.run();
    QCOMPARE(r.opened().size(), starts ? 1u : 0u);
    QCOMPARE(r.ends(), starts ? 1 : 0);
    // The new file takes the name only once it passed; until then the old one stays.
    QCOMPARE(readAll(r.installerFile()), starts ? QByteArray::fromStdString(r.installer)
                                                : QByteArray("the installer fetched last time"));
    QCOMPARE(strays(r.folder(), {"list.txt", "VAZUZ_EZ_Uzira.exe"}), QStringList());
    const auto messages = r.boxes.seen(kMessage);
    QCOMPARE(messages.size(), 1u);
    if (!starts) {
        QCOMPARE(messages[0].text,
                 QStringLiteral(
                     "下载的安装程序与服务器公布的 SHA-256 校验值不符，已经删除，没有安装。"));
    }
}

void HostileServerTest::installerOfTheWrongSizeIsNeverStarted_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("mode");
    const auto whole = static_cast<int>(UpdateServer::Mode::Whole);
    QTest::newRow("an error page sent as 200")
        << QByteArray("<html><body>404 Not Found</body></html>") << whole;
    QTest::newRow("empty") << QByteArray() << whole;
    QTest::newRow("the first 1000 of 300000 bytes")
        << QByteArray::fromStdString(installerBytes(1000)) << whole;
    QTest::newRow("50 GB announced, sent without end")
        << QByteArray::fromStdString(installerBytes(65536))
        << static_cast<int>(UpdateServer::Mode::HugeLength);
    QTest::newRow("its size to the size request, then without end")
        << QByteArray::fromStdString(installerBytes(292 * 1024))
        << static_cast<int>(UpdateServer::Mode::WholeThenEndless);
}

void HostileServerTest::installerOfTheWrongSizeIsNeverStarted() {
    QFETCH(QByteArray, body);
    QFETCH(int, mode);
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝292"}));
    r.server.put("/VAZUZ_EZ_Uzira.exe", body.toStdString(), static_cast<UpdateServer::Mode>(mode));
    r.boxes.answerQuestions({true});
    r.run();
    QVERIFY(r.opened().empty());
    QCOMPARE(r.ends(), 0);
    const auto messages = r.boxes.seen(kMessage);
    QCOMPARE(messages.size(), 1u);
    QVERIFY2(messages[0].text.startsWith(
                 QStringLiteral("下载的安装程序与产品列表公布的大小（292 KB）不符：")),
             qPrintable(messages[0].text));
    QVERIFY(messages[0].text.endsWith(QStringLiteral("没有安装。")));
    QVERIFY(!QFile::exists(r.installerFile()));
    QCOMPARE(strays(r.folder(), {"list.txt"}), QStringList());
    // Refused as soon as the size showed: the connection went long before the server's cap (what
    // it did send lies mostly in the system's socket buffers).
    QVERIFY(r.server.sent("/VAZUZ_EZ_Uzira.exe") < UpdateServer::kEndlessCap);
    QVERIFY(r.window().lblCount()->text() == QStringLiteral("打开URL错误"));
}

void HostileServerTest::endlessListIsRefusedAtItsLimit() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝5", u"x"}),
                 UpdateServer::Mode::Endless);
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].kind, kNotice);
    QVERIFY(r.boxes.seen()[0].text.startsWith(kFailure));
    QVERIFY2(r.boxes.seen()[0].text.contains(QStringLiteral("1048576")),
             qPrintable(r.boxes.seen()[0].text));
    QCOMPARE(r.ends(), 0);
    QCOMPARE(r.server.hits("/RUVEV_VizIvu_count.asp"), 0);
    QVERIFY(!QFile::exists(r.folder() + QStringLiteral("/list.txt")));
    QCOMPARE(strays(r.folder(), {}), QStringList());
    QVERIFY(r.server.sent("/list.txt") < UpdateServer::kEndlessCap);
}

void HostileServerTest::pingReplyIsReadALittleAndNotKept() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.28 "}));
    r.server.put("/RUVEV_VizIvu_count.asp", std::string(65536, 'x'), UpdateServer::Mode::Endless);
    const QString ping = r.folder() + QStringLiteral("/RUVEV_VizIvu_count.asp");
    QVERIFY(QDir().mkpath(r.folder()));
    writeFile(ping, "a reply an earlier version kept");
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].text,
             QStringLiteral("作者尚未发布新版本，您目前使用的“V3.0.28”是最新的！"));
    QVERIFY(!QFile::exists(ping));
    QCOMPARE(strays(r.folder(), {"list.txt"}), QStringList());
    QVERIFY(r.server.sent("/RUVEV_VizIvu_count.asp") < UpdateServer::kEndlessCap);
}

void HostileServerTest::plantedLinksAreReplacedNotWrittenThrough() {
    Rig r;
    const std::string list = listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝5"});
    r.server.put("/list.txt", list);
    r.boxes.answerQuestions({true});
    QTemporaryDir elsewhere;
    const QString otherList = elsewhere.filePath(QStringLiteral("notes.txt"));
    const QString otherProgram = elsewhere.filePath(QStringLiteral("program"));
    writeFile(otherList, "the user's notes");
    writeFile(otherProgram, "another program");
    QVERIFY(QDir().mkpath(r.folder()));
    const QString listFile = r.folder() + QStringLiteral("/list.txt");
    QVERIFY(QFile::link(otherList, listFile));
    QVERIFY(QFile::link(otherProgram, r.installerFile()));
    r.run();
    QCOMPARE(readAll(otherList), QByteArray("the user's notes"));
    QCOMPARE(readAll(otherProgram), QByteArray("another program"));
    QVERIFY(!QFileInfo(listFile).isSymLink());
    QCOMPARE(readAll(listFile), QByteArray::fromStdString(list));
    QVERIFY(!QFileInfo(r.installerFile()).isSymLink());
    QCOMPARE(readAll(r.installerFile()), QByteArray::fromStdString(r.installer));
    QCOMPARE(r.opened().size(), 1u);
}

void HostileServerTest::schemeInCapitalsReachesTheServer() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.28 "}));
    const std::string capitals = "HTTP" + r.server.address().substr(4);
    r.address = updateServerAddress(capitals.c_str());
    r.run();
    QCOMPARE(r.server.hits("/list.txt"), 1);
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].kind, kMessage);
}

}  // namespace muwu::test

QTEST_MAIN(muwu::test::HostileServerTest)
#include "hostile_server_test.moc"
