// A 256 MB file over the loopback: through DownloadFile with the download window hidden and
// shown (offscreen), and through curl from the same server in the same run. Throughput is
// bytes_per_second; the 2048-byte chunks with a yield and a status line each are what is measured.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "tests/update/local_server.h"
#include "update/download_window.h"

namespace {

constexpr std::size_t kFileSize = std::size_t{256} << 20;

struct Fixture {
    muwu::test::LocalServer server;
    QTemporaryDir dir;
    std::string url;
    QString target;
    Fixture() {
        server.setLargeBody(kFileSize);
        url = server.base() + "/large";
        target = dir.filePath(QStringLiteral("large.bin"));
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

muwu::DownloadWindowOptions benchOptions(const QTemporaryDir& dir) {
    muwu::DownloadWindowOptions o;
    o.settings = muwu::SettingsStore(dir.filePath(QStringLiteral("settings.ini")));
    o.prompts.okCancel = [](QWidget*, const QString&, const QString&) { return false; };
    o.endProgram = [] {};
    return o;
}

void fetchThroughWindow(benchmark::State& state, bool shown) {
    Fixture& f = fixture();
    muwu::DownloadWindow w(benchOptions(f.dir));
    if (shown) {
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            state.SkipWithError("window not exposed");
    }
    const QString url = QString::fromStdString(f.url);
    for (auto _ : state) {
        const qint64 n = w.DownloadFile(url, f.target);
        if (n != static_cast<qint64>(kFileSize) ||
            w.lastOutcome() != muwu::DownloadWindow::Outcome::Complete) {
            state.SkipWithError("transfer incomplete");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void BM_DownloadFileHidden(benchmark::State& state) {
    fetchThroughWindow(state, false);
}
void BM_DownloadFileShown(benchmark::State& state) {
    fetchThroughWindow(state, true);
}

void BM_Curl(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string command =
        "curl -sS --fail -o '" + f.target.toStdString() + "' '" + f.url + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("curl failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

// Qt Network alone, everything read as it comes in one event loop: the ceiling for DownloadFile.
void BM_QtNetworkAlone(benchmark::State& state) {
    Fixture& f = fixture();
    QNetworkAccessManager network;
    for (auto _ : state) {
        QNetworkRequest request(QUrl(QString::fromStdString(f.url)));
        request.setRawHeader("Accept-Encoding", "identity");
        QNetworkReply* reply = network.get(request);
        QFile out(f.target);
        if (!out.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write");
            break;
        }
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::readyRead, &loop,
                         [&] { out.write(reply->readAll()); });
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        out.write(reply->readAll());
        reply->deleteLater();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

BENCHMARK(BM_QtNetworkAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Curl)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_DownloadFileHidden)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_DownloadFileShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
