// The whole update check against a real HTTP server on the loopback interface: the menu item,
// the product list, the usage ping, the question, the installer and the ends of the program.
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "box_answerer.h"
#include "controls/progress_bar.h"
#include "platform/gbk.h"
#include "shell/cover.h"
#include "shell/link_actions.h"
#include "shell/menu_window.h"
#include "shell/settings_store.h"
#include "tests/support/recording_opener.h"
#include "tests/update/download_test_support.h"
#include "tests/update/local_server.h"
#include "update/download_buttons.h"
#include "update/download_window.h"
#include "update/update_check.h"
#include "update_server.h"

namespace muwu::test {
namespace {

const QString kQuestion = QStringLiteral("获取新版本问题");
const QString kMessage = QStringLiteral("获取新版本消息");
const QString kNotice = QStringLiteral("提示窗");
const QString kFailure = QStringLiteral("链接网站失败，请稍后再尝试重新链接。");
const QString kAppTitle = QStringLiteral("沐梧取名器");

// A list in the maker's form: GBK, CR LF, another product before ours.
std::string listOf(std::initializer_list<std::u16string_view> lines) {
    std::u16string text;
    for (std::u16string_view l : lines)
        text += std::u16string(l) + u"\r\n";
    return encodeGbk(text).bytes;
}

std::string installerBytes(std::size_t n = 5000) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>((i * 131 + 7) % 251);
    return bytes;
}

QString sha256Of(const std::string& bytes) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
            .toHex());
}

// One machine running the program: its settings, documents folder, cover, menu and update
// server, with the installer's opener and the program's end recorded.
class Rig {
  public:
    Rig()
        : links_(
              std::filesystem::path(QFile::encodeName(dir_.path()).toStdString()),
              "http://site.test", [](const QUrl&) {}, SettingsStore(settingsFile())),
          cover_(links_),
          menu_(links_),
          windows_([this] { return windowOptions(); }),
          checks_([this] { return options(); }) {
        menu_.setUpdateCheck([this] { checks_.新版本检测(); });
        server.put("/RUVEV_VizIvu_count.asp", "count=1");
        server.put("/VAZUZ_EZ_Uzira.exe", installer);
    }

    // Chooses 新版本检测 in the help menu.
    void run() {
        for (QAction* a : menu_.帮助()->actions())
            if (a->objectName() == QStringLiteral("新版本检测"))
                a->trigger();
    }

    [[nodiscard]] QString settingsFile() const { return dir_.filePath(QStringLiteral("muwu.ini")); }
    [[nodiscard]] QString folder() const {
        return dir_.filePath(QStringLiteral("文档/沐梧取名器"));
    }
    [[nodiscard]] QString installerFile() const {
        return folder() + QStringLiteral("/VAZUZ_EZ_Uzira.exe");
    }
    [[nodiscard]] std::optional<QString> stored(const QString& section, const QString& key) const {
        return SettingsStore(settingsFile()).value(section, key);
    }
    [[nodiscard]] int ends() const { return ends_; }
    [[nodiscard]] UpdateCheck* check() const { return checks_.current(); }
    [[nodiscard]] const std::vector<std::filesystem::path>& opened() const {
        return opener_.opened();
    }

    UpdateServer server;
    std::string address = server.address();
    std::string installer = installerBytes();
    BoxAnswerer boxes;

    // The download window as the check left it.
    [[nodiscard]] DownloadWindow& window() { return windows_.get(); }
    [[nodiscard]] bool windowExists() const { return windows_.exists(); }
    [[nodiscard]] const std::vector<QUrl>& sitesOpened() const { return *sites_; }

  private:
    UpdateCheckOptions options() {
        UpdateCheckOptions o;
        o.server = address;
        o.settingsFile = settingsFile();
        o.versionCaption = [this] { return cover_.versionCaption(); };
        o.documentsFolder = [this] { return dir_.filePath(QStringLiteral("文档")); };
        o.downloadWindow = [this]() -> DownloadWindow& { return windows_.get(); };
        o.openInstaller = opener_.opener();
        o.endProgram = [this] { ++ends_; };
        return o;
    }
    DownloadWindowOptions windowOptions() {
        DownloadWindowOptions o;
        o.settings = SettingsStore(settingsFile());
        o.site = QString::fromStdString(address);
        o.openUrl = [sites = sites_](const QUrl& u) { sites->push_back(u); };
        o.endProgram = [this] { ++ends_; };
        o.prompts = messageBoxPrompts();
        return o;
    }

    QTemporaryDir dir_;
    LinkActions links_;
    Cover cover_;
    MenuWindow menu_;
    std::shared_ptr<std::vector<QUrl>> sites_ = std::make_shared<std::vector<QUrl>>();
    DownloadWindowInstance windows_;
    UpdateChecks checks_;
    RecordingOpener opener_;
    int ends_ = 0;
};

}  // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT
  private slots:
    void newerVersionAcceptedFetchesStartsAndEnds();
    void newerVersionDeclinedEndsWithNothingFetched();
    void sameOrOlderVersionIsNotNewer_data();
    void sameOrOlderVersionIsNotNewer();
    void listWithoutOurLineEnds_data();
    void listWithoutOurLineEnds();
    void listFetchFailingEnds_data();
    void listFetchFailingEnds();
    void firstOfTwoProductLinesCounts();
    void failedPingEndsTheCheckSilently();
    void installerWithoutLengthIsNotFetched();
    void installerNotWholeIsNeverStarted_data();
    void installerNotWholeIsNeverStarted();
    void stoppedInstallerIsNeverStarted();
    void digestDecidesWhetherTheInstallerStarts_data();
    void digestDecidesWhetherTheInstallerStarts();
    void listAndControlsOfTheHiddenWindow();
    void noticeShowsDefaultPointerAndRestoresIt();
    void everyCheckStartsFromAFreshWindow();
};

void UpdateCheckTest::newerVersionAcceptedFetchesStartsAndEnds() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《青岑诗集》版本：V1.2 文件大小＝900",
                                      u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
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
    QCOMPARE(r.server.hits("/list.txt"), 1);
    QCOMPARE(r.server.hits("/RUVEV_VizIvu_count.asp"), 1);
    QVERIFY(r.check()->新版本号() == QStringLiteral("V3.0.29"));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void UpdateCheckTest::newerVersionDeclinedEndsWithNothingFetched() {
    Rig r;
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
    r.boxes.answerQuestions({false});
    r.run();
    QCOMPARE(r.boxes.seen(kQuestion).size(), 1u);
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.ends(), 1);
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

void UpdateCheckTest::listWithoutOurLineEnds_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::newRow("blank before the title")
        << QByteArray::fromStdString(listOf({u" 《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
    QTest::newRow("empty list") << QByteArray();
    QTest::newRow("other products only")
        << QByteArray::fromStdString(listOf({u"《青岑诗集》版本：V9.0 ", u""}));
}

void UpdateCheckTest::listWithoutOurLineEnds() {
    QFETCH(QByteArray, list);
    Rig r;
    r.server.put("/list.txt", list.toStdString());
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].kind, kNotice);
    QCOMPARE(r.boxes.seen()[0].text, kFailure);
    QCOMPARE(r.boxes.seen()[0].pointer, std::optional(Qt::ArrowCursor));
    QCOMPARE(r.ends(), 1);
    QCOMPARE(r.server.hits("/RUVEV_VizIvu_count.asp"), 0);
    QVERIFY(!r.stored(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间")));
}

void UpdateCheckTest::listFetchFailingEnds_data() {
    QTest::addColumn<bool>("refused");
    QTest::newRow("404") << false;
    QTest::newRow("refused") << true;
}

void UpdateCheckTest::listFetchFailingEnds() {
    QFETCH(bool, refused);
    Rig r;
    if (refused)
        r.address = "http://127.0.0.1:" + std::to_string(closedPort());
    r.run();
    QCOMPARE(r.boxes.seen().size(), 1u);
    QCOMPARE(r.boxes.seen()[0].kind, kNotice);
    QCOMPARE(r.boxes.seen()[0].text, kFailure);
    QCOMPARE(r.ends(), 1);
    QCOMPARE(r.check()->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 0);
    QVERIFY(!r.stored(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间")));
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
    r.server.put("/list.txt", listOf({u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"}));
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
    QVERIFY(r.window().lblCount()->text().startsWith(QStringLiteral("共下载 ")));
    QVERIFY(r.opened().empty());
    QCOMPARE(r.ends(), 0);
    QVERIFY(r.boxes.seen(kMessage).empty());
    QVERIFY(r.window().isVisible());
}

void UpdateCheckTest::digestDecidesWhetherTheInstallerStarts_data() {
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

void UpdateCheckTest::digestDecidesWhetherTheInstallerStarts() {
    QFETCH(QString, digest);
    QFETCH(bool, starts);
    Rig r;
    r.server.put(
        "/list.txt",
        listOf({(u"《沐梧取名器》版本：V3.0.29 文件大小＝5 SHA256＝" + digest.toStdU16String())}));
    r.boxes.answerQuestions({true});
    r.run();
    QCOMPARE(r.opened().size(), starts ? 1u : 0u);
    QCOMPARE(r.ends(), starts ? 1 : 0);
    QCOMPARE(QFile::exists(r.installerFile()), starts);
    const auto messages = r.boxes.seen(kMessage);
    QCOMPARE(messages.size(), 1u);
    if (!starts) {
        QCOMPARE(messages[0].text,
                 QStringLiteral(
                     "下载的安装程序与服务器公布的 SHA-256 校验值不符，已经删除，没有安装。"));
    }
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
    QVERIFY(QFile::exists(r.folder() + QStringLiteral("/RUVEV_VizIvu_count.asp")));
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
