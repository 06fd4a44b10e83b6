// The download window against a real server on 127.0.0.1: complete transfers, every kind of
// failure leaving the old file intact, stop, background, the too-slow ending and the stored boxes.
#include <QAccessible>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>
#include <QtTest>

#include "controls/progress_bar.h"
#include "tests/update/download_test_support.h"
#include "update/download_buttons.h"

using namespace muwu;
using namespace muwu::test;

namespace {

// Calls note at every drawing of the status line, and lets /paced send its next piece once the
// status line shows the bytes before it: one piece is one chunk, however busy the machine.
class StatusWatch : public QObject {
  public:
    StatusWatch(QLabel* status, LocalServer& server, std::function<void(const QString&)> note)
        : status_(status), server_(server), note_(std::move(note)) {
        server_.clientHas = 0;
        status_->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::Paint)
            return false;
        const QString text = status_->text();
        if (text.startsWith(QStringLiteral("已下载 "))) {
            QString digits;
            for (qsizetype i = 4; i < text.size() && text.at(i).isDigit(); ++i)
                digits += text.at(i);
            server_.clientHas = digits.toLongLong();
        }
        note_(text);
        return false;
    }

  private:
    QLabel* status_;
    LocalServer& server_;
    std::function<void(const QString&)> note_;
};

}  // namespace

class DownloadWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fiveThousandBytesInThreeChunks();
    void userTypesAndClicksStart();
    void failuresLeaveTheOldFileIntact_data();
    void failuresLeaveTheOldFileIntact();
    void stallAfterHeadersTimesOut();
    void stopWorksDuringAStall();
    void stopMidTransfer();
    void backgroundHidesAndCompletes();
    void tooSlowAtTheThirdSlowChunk_data();
    void tooSlowAtTheThirdSlowChunk();
    void unmeasuredChunksAndEarlierTransfersAreNotSlow();
    void rateOfTheLastSecondsInChineseUnits_data();
    void rateOfTheLastSecondsInChineseUnits();
    void progressInKilobytes();
    void progressStoredOnceASecondAndAtTheEnd();
    void closingAndReopeningRestoresBoxes();
    void formatSize_data();
    void formatSize();
    void controlsAreAccessible();
    void httpsWithItsCertificateTrusted();

  private:
    std::unique_ptr<DownloadWindow> makeWindow(const DownloadWindowOptions& o);
    QString url(const char* path) const { return qstr(server_->base()) + QLatin1String(path); }

    std::unique_ptr<LocalServer> server_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::shared_ptr<Recorder> rec_;
    QString settings_;
    QString target_;
};

void DownloadWindowTest::initTestCase() {
    server_ = std::make_unique<LocalServer>();
}

void DownloadWindowTest::init() {
    server_->rearm();
    dir_ = std::make_unique<QTemporaryDir>();
    rec_ = std::make_shared<Recorder>();
    settings_ = dir_->filePath(QStringLiteral("settings.ini"));
    target_ = dir_->filePath(QStringLiteral("target.bin"));
}

void DownloadWindowTest::cleanup() {
    server_->release();
}

std::unique_ptr<DownloadWindow> DownloadWindowTest::makeWindow(const DownloadWindowOptions& o) {
    auto w = std::make_unique<DownloadWindow>(o);
    rec_->window = w.get();
    return w;
}

void DownloadWindowTest::fiveThousandBytesInThreeChunks() {
    auto w = makeWindow(recordingOptions(rec_, settings_));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // Every text the status line was painted with.
    QStringList painted;
    struct PaintLog : QObject {
        QStringList* log;
        QLabel* label;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint && (log->isEmpty() || log->last() != label->text()))
                log->push_back(label->text());
            return false;
        }
    } filter;
    filter.log = &painted;
    filter.label = w->lblCount();
    w->lblCount()->installEventFilter(&filter);

    QCOMPARE(w->DownloadFile(url("/file5000"), target_), qint64{5000});
    QCOMPARE(w->lblCount()->text(), QStringLiteral("共下载 5000 字节"));
    QCOMPARE(w->lastOutcome(), DownloadWindow::Outcome::Complete);
    QCOMPARE(readAll(target_), QByteArray::fromStdString(patternBody(5000)));
    QCOMPARE(strays(dir_->path(), {"target.bin", "settings.ini"}), QStringList());

    QStringList amounts;
    for (const QString& t : painted)
        if (t.startsWith(QStringLiteral("已下载 ")))
            amounts.push_back(t.section(QStringLiteral("  ["), 0, 0));
    QCOMPARE(amounts, (QStringList{QStringLiteral("已下载 2048字节(2.00 KB)"),
                                   QStringLiteral("已下载 4096字节(4.00 KB)"),
                                   QStringLiteral("已下载 5000字节(4.88 KB)")}));
    QVERIFY(painted.first() == QStringLiteral("正在连接服务器..."));
    QVERIFY(painted.at(1).endsWith(QStringLiteral(" /秒 ]")));
    QCOMPARE(painted.last(), QStringLiteral("共下载 5000 字节"));
}

void DownloadWindowTest::userTypesAndClicksStart() {
    auto w = makeWindow(recordingOptions(rec_, settings_));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->txtURL()->clear();
    w->txtFile()->clear();
    QTest::keyClicks(w->txtURL(), url("/file5000"));
    QTest::keyClicks(w->txtFile(), target_);
    QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
    QCOMPARE(w->lblCount()->text(), QStringLiteral("共下载 5000 字节"));
    QCOMPARE(readAll(target_).size(), 5000);
    QVERIFY(w->cmdStart()->Enabled());
    QVERIFY(!w->cmdStop()->Enabled());
    QVERIFY(w->txtURL()->isEnabled() && w->txtFile()->isEnabled());

    // Pressed from code: the transfer has run when the setter returns.
    QFile::remove(target_);
    w->cmdStart()->setValue(true);
    QCOMPARE(w->lblCount()->text(), QStringLiteral("共下载 5000 字节"));
    QCOMPARE(readAll(target_).size(), 5000);
}

void DownloadWindowTest::failuresLeaveTheOldFileIntact_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("why");
    QTest::newRow("404") << "/missing"
                         << "404";
    QTest::newRow("refused") << "refused"
                             << "";
    QTest::newRow("cut short") << "/short"
                               << "3000";
    QTest::newRow("not http") << "ftp"
                              << "http";
    QTest::newRow("target folder missing") << "nofolder"
                                           << "无法写入文件";
}

void DownloadWindowTest::failuresLeaveTheOldFileIntact() {
    QFETCH(QString, path);
    QFETCH(QString, why);
    auto w = makeWindow(recordingOptions(rec_, settings_));
    writeFile(target_, "old contents");
    QString address = url(path.toUtf8().constData());
    QString file = target_;
    if (path == QLatin1String("refused"))
        address = QStringLiteral("http://127.0.0.1:%1/file5000").arg(closedPort());
    if (path == QLatin1String("ftp"))
        address = QStringLiteral("ftp://127.0.0.1/file5000");
    if (path == QLatin1String("nofolder")) {
        address = url("/file5000");
        file = dir_->filePath(QStringLiteral("no/such/folder/target.bin"));
    }
    QCOMPARE(w->DownloadFile(address, file), qint64{0});
    QCOMPARE(w->lblCount()->text(), QStringLiteral("打开URL错误"));
    QCOMPARE(w->lastOutcome(), DownloadWindow::Outcome::Failed);
    QVERIFY2(w->lastFailure().contains(why), qPrintable(w->lastFailure()));
    QCOMPARE(w->lblCount()->toolTip(), w->lastFailure());
    QCOMPARE(readAll(target_), QByteArray("old contents"));
    QCOMPARE(strays(dir_->path(), {"target.bin", "settings.ini"}), QStringList());
}

void DownloadWindowTest::stallAfterHeadersTimesOut() {
    auto o = recordingOptions(rec_, settings_);
    o.http.stallLimit = std::chrono::milliseconds(300);
    auto w = makeWindow(o);
    writeFile(target_, "old contents");
    QElapsedTimer t;
    t.start();
    QCOMPARE(w->DownloadFile(url("/stall"), target_), qint64{0});
    QVERIFY2(w->lastFailure().contains(QStringLiteral("没有送来数据")),
             qPrintable(w->lastFailure()));
    QVERIFY(t.elapsed() < 5000);
    QCOMPARE(w->lblCount()->text(), QStringLiteral("打开URL错误"));
    QCOMPARE(readAll(target_), QByteArray("old contents"));
}

void DownloadWindowTest::stopWorksDuringAStall() {
    auto w = makeWindow(recordingOptions(rec_, settings_));  // the 30 s limit
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    writeFile(target_, "old contents");
    w->txtURL()->setText(url("/stall"));
    w->txtFile()->setText(target_);
    bool stopEnabled = false;
    QTimer::singleShot(300, w.get(), [&] {
        stopEnabled = w->cmdStop()->Enabled() && !w->cmdStart()->Enabled();
        QTest::mouseClick(w->cmdStop(), Qt::LeftButton);
    });
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
    QVERIFY(t.elapsed() < 5000);
    QVERIFY(stopEnabled);
    QCOMPARE(w->lblCount()->text(), QStringLiteral("已停止，收到的 0 字节已丢弃。"));
    QCOMPARE(w->lastOutcome(), DownloadWindow::Outcome::Stopped);
    QCOMPARE(readAll(target_), QByteArray("old contents"));
}

void DownloadWindowTest::stopMidTransfer() {
    auto w = makeWindow(recordingOptions(rec_, settings_));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    writeFile(target_, "old contents");
    w->txtURL()->setText(url("/hold"));
    w->txtFile()->setText(target_);
    bool boxesDisabled = false;
    whenUnderWay(w.get(), [&] {
        boxesDisabled = !w->txtURL()->isEnabled() && !w->txtFile()->isEnabled();
        QTest::mouseClick(w->cmdStop(), Qt::LeftButton);
        server_->release();
    });
    QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
    QVERIFY(boxesDisabled);
    // Stopped after the first or the second chunk, before the held rest; the status line says
    // what became of them.
    const QString status = w->lblCount()->text();
    QVERIFY2(status == QStringLiteral("已停止，收到的 2048 字节已丢弃。") ||
                 status == QStringLiteral("已停止，收到的 4096 字节已丢弃。"),
             qPrintable(status));
    QCOMPARE(w->lastOutcome(), DownloadWindow::Outcome::Stopped);
    QCOMPARE(readAll(target_), QByteArray("old contents"));
    QCOMPARE(strays(dir_->path(), {"target.bin", "settings.ini"}), QStringList());
    QVERIFY(w->cmdStart()->Enabled() && !w->cmdStop()->Enabled());
}

void DownloadWindowTest::backgroundHidesAndCompletes() {
    auto w = makeWindow(recordingOptions(rec_, settings_));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->txtURL()->setText(url("/hold"));
    w->txtFile()->setText(target_);
    bool hidden = false;
    whenUnderWay(w.get(), [&] {
        QTest::mouseClick(w->后台下载(), Qt::LeftButton);
        hidden = !w->isVisible();
        server_->release();
    });
    QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
    QVERIFY(hidden);
    QVERIFY(!w->isVisible());
    QCOMPARE(w->lblCount()->text(), QStringLiteral("共下载 5000 字节"));
    QCOMPARE(readAll(target_), QByteArray::fromStdString(patternBody(5000)));
}

void DownloadWindowTest::tooSlowAtTheThirdSlowChunk_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK visits the site") << true;
    QTest::newRow("Cancel") << false;
}

void DownloadWindowTest::tooSlowAtTheThirdSlowChunk() {
    QFETCH(bool, ok);
    rec_->answerOk = ok;
    auto o = recordingOptions(rec_, settings_);
    server_->dripClock = 0;
    LocalServer* s = server_.get();
    o.ticks = [s] { return s->dripClock.load(); };
    auto w = makeWindow(o);
    writeFile(target_, "old contents");
    w->DownloadFile(url("/drip"), target_);
    QCOMPARE(rec_->questions.size(), 1);
    QCOMPARE(rec_->questions.first(),
             QStringLiteral("沐梧取名器|网速太慢,自动升级无效！请进入“沐梧工作室”人工下载。"));
    QCOMPARE(rec_->slowCountAtQuestion, 3);
    QCOMPARE(rec_->ends, 0);  // the program runs on
    QCOMPARE(rec_->urls.size(), ok ? 1 : 0);
    if (ok)
        QCOMPARE(rec_->urls.first(), QUrl(QStringLiteral("http://site.invalid")));
    const SettingsStore store(settings_);
    QCOMPARE(store.value(QStringLiteral("下载窗衔接"), QStringLiteral("下载进度")),
             std::optional<QString>(QStringLiteral("0")));
    QCOMPARE(store.value(QStringLiteral("下载窗衔接"), QStringLiteral("下载失败")).has_value(), ok);
    QCOMPARE(w->lastOutcome(), DownloadWindow::Outcome::TooSlow);
    QCOMPARE(w->lblCount()->text(), QStringLiteral("打开URL错误"));
    QCOMPARE(readAll(target_), QByteArray("old contents"));
    QCOMPARE(strays(dir_->path(), {"target.bin", "settings.ini"}), QStringList());
}

void DownloadWindowTest::unmeasuredChunksAndEarlierTransfersAreNotSlow() {
    // Small files arrive within the tick their transfer starts in, and the user may take
    // seconds over a question before the next transfer: neither makes the line "too slow".
    auto o = recordingOptions(rec_, settings_);
    auto clock = std::make_shared<std::int64_t>(0);
    o.ticks = [clock] { return *clock; };
    auto w = makeWindow(o);
    QCOMPARE(w->DownloadFile(url("/file5000"), target_), qint64{5000});
    QCOMPARE(w->DownloadFile(url("/file5000"), target_), qint64{5000});
    *clock = 10'000;
    QCOMPARE(w->DownloadFile(url("/file5000"), target_), qint64{5000});
    QCOMPARE(rec_->questions.size(), 0);
    QCOMPARE(rec_->ends, 0);
    QCOMPARE(w->lastOutcome(), DownloadWindow::Outcome::Complete);
    QCOMPARE(w->lblCount()->text(), QStringLiteral("共下载 5000 字节"));
}

void DownloadWindowTest::rateOfTheLastSecondsInChineseUnits_data() {
    QTest::addColumn<int>("piece");
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("total");
    QTest::addColumn<qint64>("rate");
    // 10 KB every 50 ms for 3 s.
    QTest::newRow("200 KB/s") << 10240 << 50 << 600 * 1024 << qint64{204800};
    // Three pieces, too few for the too-slow rule.
    QTest::newRow("500 B/s") << 500 << 1000 << 1500 << qint64{500};
}

void DownloadWindowTest::rateOfTheLastSecondsInChineseUnits() {
    QFETCH(int, piece);
    QFETCH(int, ms);
    QFETCH(int, total);
    QFETCH(qint64, rate);
    auto o = recordingOptions(rec_, settings_);
    server_->dripClock = 0;
    // The server's clock, and a millisecond more at every reading until its next piece: chunks
    // of one piece are taken in over a few milliseconds, as a real line's bursts are.
    struct Clock {
        std::int64_t base = 0;
        std::int64_t drift = 0;
    };
    auto clock = std::make_shared<Clock>();
    LocalServer* s = server_.get();
    o.ticks = [s, clock] {
        const std::int64_t base = s->dripClock.load();
        if (base != clock->base) {
            clock->base = base;
            clock->drift = 0;
        } else if (clock->drift < 40) {
            ++clock->drift;
        }
        return base + clock->drift;
    };
    auto w = makeWindow(o);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QStringList shown;
    StatusWatch watch(w->lblCount(), *server_, [&shown](const QString& text) {
        if (text.startsWith(QStringLiteral("已下载 ")))
            shown.push_back(text);
    });

    const QString address =
        url("/paced") + QStringLiteral("?piece=%1&ms=%2&total=%3").arg(piece).arg(ms).arg(total);
    QCOMPARE(w->DownloadFile(address, target_), qint64{total});
    QCOMPARE(rec_->questions.size(), 0);
    QVERIFY(!shown.isEmpty());
    // Every rate shown after the first second is within a fifth of the true one, in Chinese.
    const qsizetype firstSecond = shown.size() * 1000 / (qsizetype{total} / piece * ms);
    for (qsizetype i = std::min(firstSecond, shown.size() - 1); i < shown.size(); ++i) {
        const QString status = shown.at(i);
        const QString shownRate = status.section(QStringLiteral("[ "), 1).section(' ', 0, 0);
        const qint64 value = shownRate.section(QStringLiteral("字节"), 0, 0).toLongLong();
        QVERIFY2(std::abs(value - rate) * 5 <= rate, qPrintable(status));
        QVERIFY2(!status.contains(QStringLiteral("byte")), qPrintable(status));
        QVERIFY2(status.endsWith(QStringLiteral(" /秒 ]")), qPrintable(status));
    }
    if (rate < 1024)
        QVERIFY2(shown.last().endsWith(QStringLiteral("[ 500 字节 /秒 ]")),
                 qPrintable(shown.last()));
}

void DownloadWindowTest::progressInKilobytes() {
    auto w = makeWindow(recordingOptions(rec_, settings_));
    QCOMPARE(w->进度条()->max(), 3181);  // from the size label at load
    QCOMPARE(w->DownloadFile(url("/mb"), target_), qint64{1 << 20});
    QCOMPARE(w->进度条()->Value(), 1024);
    QCOMPARE(
        SettingsStore(settings_).value(QStringLiteral("下载窗衔接"), QStringLiteral("下载进度")),
        std::optional<QString>(QStringLiteral("32")));

    // Once the total reaches max × 1024 the value stays.
    w->进度条()->setMax(4);
    w->进度条()->setValue(0);
    QCOMPARE(w->DownloadFile(url("/file5000"), target_), qint64{5000});
    QCOMPARE(w->进度条()->Value(), 2);
}

void DownloadWindowTest::progressStoredOnceASecondAndAtTheEnd() {
    auto o = recordingOptions(rec_, settings_);
    // 300 ms of the clock for every kilobyte received, whenever it arrives.
    auto bar = std::make_shared<ProgressBar*>(nullptr);
    o.ticks = [bar] { return *bar ? std::int64_t{300} * (*bar)->Value() : 0; };
    auto w = makeWindow(o);
    *bar = w->进度条();
    w->文件大小()->setText(QStringLiteral("11"));
    w->进度条()->setMax(11);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // What the store held each time the status line was drawn, with the clock then.
    const SettingsStore store(settings_);
    const auto stored = [&store] {
        return store.value(QStringLiteral("下载窗衔接"), QStringLiteral("下载进度"));
    };
    struct Seen {
        std::int64_t tick;
        QString value;
    };
    std::vector<Seen> seen;
    StatusWatch watch(w->lblCount(), *server_, [&](const QString&) {
        if (const auto v = stored(); v && (seen.empty() || seen.back().value != *v))
            seen.push_back({std::int64_t{300} * w->进度条()->Value(), *v});
    });

    // A kilobyte and a little a piece: a percent of its own at every piece.
    QCOMPARE(w->DownloadFile(url("/paced?piece=1100&ms=0&total=11000"), target_), qint64{11000});
    QCOMPARE(w->进度条()->Value(), 10);
    // The last percent is stored, though it came within a second of the one before.
    QCOMPARE(stored(), std::optional<QString>(QStringLiteral("90")));
    // Before it, a new value at most once a second: 3 s of transfer, 3 values and the last.
    QVERIFY2(seen.size() >= 2 && seen.size() <= 4, qPrintable(QString::number(seen.size())));
    QCOMPARE(seen.back().value, QStringLiteral("90"));
    for (std::size_t i = 1; i + 1 < seen.size(); ++i)
        QVERIFY2(seen[i].tick - seen[i - 1].tick >= 1000,
                 qPrintable(seen[i - 1].value + QLatin1Char(' ') + seen[i].value));
}

void DownloadWindowTest::closingAndReopeningRestoresBoxes() {
    const auto rec = rec_;
    const QString settings = settings_;
    DownloadWindowInstance instance([rec, settings] { return recordingOptions(rec, settings); });
    DownloadWindow& first = instance.get();
    QVERIFY(!first.isVisible());  // created hidden by its first use
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    QTest::keyClicks(first.txtURL(), QStringLiteral("http://127.0.0.1:1/list.txt"));
    first.txtFile()->setText(QStringLiteral("/tmp/列表"));
    first.txtFile()->end(false);
    QTest::keyClicks(first.txtFile(), QStringLiteral(".txt"));
    first.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!instance.exists());
    DownloadWindow& second = instance.get();
    QCOMPARE(second.txtURL()->text(), QStringLiteral("http://127.0.0.1:1/list.txt"));
    QCOMPARE(second.txtFile()->text(), QStringLiteral("/tmp/列表.txt"));
}

void DownloadWindowTest::formatSize_data() {
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("bytes") << qint64{500} << "500 字节";
    QTest::newRow("1024 alone") << qint64{1024} << "1.00 KB";
    QTest::newRow("1025") << qint64{1025} << "1025字节(1.00 KB)";
    QTest::newRow("1331 cut, not rounded") << qint64{1331} << "1331字节(1.29 KB)";
    QTest::newRow("tens") << qint64{13'000} << "13000字节(12.6 KB)";
    QTest::newRow("hundreds") << qint64{1'048'575} << "1048575字节(1023 KB)";
    QTest::newRow("megabytes") << qint64{3'257'344} << "3257344字节(3.10 MB)";
    QTest::newRow("above 2 GB") << qint64{5'000'000'000} << "5000000000字节(4.65 GB)";
}

void DownloadWindowTest::formatSize() {
    QFETCH(qint64, n);
    QFETCH(QString, text);
    QCOMPARE(DownloadWindow::FormatSize(n), text);
}

void DownloadWindowTest::controlsAreAccessible() {
    auto w = makeWindow(recordingOptions(rec_, settings_));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->windowTitle(), QStringLiteral("文件下载"));
    const char* names[] = {"Label1",   "txtFile", "lblURL",   "txtURL",   "版本号",  "Label2",
                           "文件大小", "进度条",  "lblCount", "cmdStart", "cmdStop", "后台下载"};
    for (const char* name : names) {
        auto* c = w->findChild<QWidget*>(QString::fromUtf8(name));
        QVERIFY2(c, name);
        QVERIFY2(c->isVisible(), name);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        QVERIFY2(a, name);
        QVERIFY2(!a->text(QAccessible::Name).isEmpty(), name);
        QVERIFY2(a->role() != QAccessible::NoRole && a->role() != QAccessible::Client, name);
    }
    QCOMPARE(w->lblCount()->text(), QStringLiteral("下载"));
    QCOMPARE(w->文件大小()->text(), QStringLiteral("3181"));
    QCOMPARE(w->cmdStart()->Caption(), QStringLiteral("开始"));
    QCOMPARE(w->cmdStop()->Caption(), QStringLiteral("停止"));

    // A window, not a filler; the labels that say something are read by what they say.
    QCOMPARE(QAccessible::queryAccessibleInterface(w.get())->role(), QAccessible::Window);
    QCOMPARE(QAccessible::queryAccessibleInterface(w.get())->text(QAccessible::Name),
             QStringLiteral("文件下载"));
    w->DownloadFile(url("/file5000"), target_);
    for (QLabel* label : {w->lblCount(), w->文件大小(), w->版本号()}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label);
        QCOMPARE(a->text(QAccessible::Name), label->text());
        QAccessibleTextInterface* text = a->textInterface();
        QVERIFY2(text, qPrintable(label->objectName()));
        QCOMPARE(text->characterCount(), int(label->text().size()));
        QCOMPARE(text->text(0, text->characterCount()), label->text());
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(w->lblCount())->text(QAccessible::Name),
             QStringLiteral("共下载 5000 字节"));
}

void DownloadWindowTest::httpsWithItsCertificateTrusted() {
    const QString cert = dir_->filePath(QStringLiteral("cert.pem"));
    const QString key = dir_->filePath(QStringLiteral("key.pem"));
    QVERIFY(makeSelfSignedCertificate(cert.toStdString(), key.toStdString()));
    LocalServer tls(cert.toStdString(), key.toStdString());
    const QString address = qstr(tls.base()) + QStringLiteral("/file5000");
    QVERIFY(address.startsWith(QStringLiteral("https://127.0.0.1:")));

    // Without trusting the test's own certificate the connection is refused.
    {
        auto w = makeWindow(recordingOptions(rec_, settings_));
        QCOMPARE(w->DownloadFile(address, target_), qint64{0});
        QCOMPARE(w->lblCount()->text(), QStringLiteral("打开URL错误"));
        QVERIFY(!QFile::exists(target_));
    }
    // Trusting that certificate and nothing else.
    auto o = recordingOptions(rec_, settings_);
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setCaCertificates(QSslCertificate::fromPath(cert));
    QCOMPARE(config.caCertificates().size(), 1);
    o.http.tls = config;
    auto w = makeWindow(o);
    QCOMPARE(w->DownloadFile(address, target_), qint64{5000});
    QCOMPARE(w->lblCount()->text(), QStringLiteral("共下载 5000 字节"));
    QCOMPARE(readAll(target_), QByteArray::fromStdString(patternBody(5000)));
}

QTEST_MAIN(DownloadWindowTest)
#include "download_window_test.moc"
