// DownloadFile: one URL into one file in chunks of at most 2048 bytes, showing amount and rate,
// watching for a connection that is too slow and honouring the stop button.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QScopeGuard>
#include <QUrl>
#include <algorithm>
#include <limits>

#include "controls/progress_bar.h"
#include "platform/qt_text.h"
#include "shell/links.h"
#include "update/download_window.h"
#include "update/replacing_file.h"

namespace muwu {

namespace {

QString totalText(qint64 total) {
    return QStringLiteral("共下载 ") + QString::number(total) + QStringLiteral(" 字节");
}

// What a stop leaves: nothing saved, and nothing installed when an installation was to follow.
QString stoppedText(qint64 total, bool installs) {
    return QStringLiteral("已停止，收到的 %1 字节已丢弃").arg(total) +
           (installs ? QStringLiteral("，没有安装。") : QStringLiteral("。"));
}

// Why the rule refuses a body of n bytes (announced: a "Content-Length" of n); empty when it
// does not.
QString sizeRefusal(const TransferRule& rule, qint64 n, bool announced) {
    if (n > rule.most)
        return QStringLiteral("服务器说文件有 %1 字节，多于预期的 %2 字节").arg(n).arg(rule.most);
    if (n < rule.least)
        return (announced ? QStringLiteral("服务器说文件有 %1 字节，少于预期的 %2 字节")
                          : QStringLiteral("只收到 %1 字节，少于预期的 %2 字节"))
            .arg(n)
            .arg(rule.least);
    return {};
}

QString cannotWrite(const QString& file, const QString& why) {
    return QStringLiteral("无法写入文件：") + file +
           (why.isEmpty() ? QString() : QStringLiteral("（") + why + QStringLiteral("）"));
}

}  // namespace

qint64 DownloadWindow::DownloadFile(const QString& url, const QString& file) {
    running_ = true;
    const auto notRunning = qScopeGuard([this] { running_ = false; });
    // The rule as it was when the transfer started, whatever is set during its yields.
    const TransferRule rule = rule_;
    outcome_ = Outcome::Failed;
    failure_.clear();
    lastPercent_.reset();
    stopRequested_ = false;
    chunkSpeed_ = 0;
    setStatus(QStringLiteral("正在连接服务器..."));

    auto fail = [this](Outcome outcome, const QString& why) {
        outcome_ = outcome;
        failure_ = why;
        setStatus(qs(kOpenUrlFailed), why);
        return qint64{0};
    };
    const HttpTransfer::StopCheck stop = [this] { return stopRequested_; };
    const bool installs = static_cast<bool>(rule.afterTransfer);

    HttpTransfer transfer(network_, options_.http);
    switch (transfer.open(url, stop)) {
        case HttpTransfer::Status::Data:
            break;
        case HttpTransfer::Status::Stopped:
            outcome_ = Outcome::Stopped;
            setStatus(stoppedText(0, installs));
            return 0;
        default:
            return fail(Outcome::Failed, transfer.failure());
    }
    // A length the rule cannot take is refused before a byte of the body is read.
    if (const auto length = transfer.contentLength(); length && !rule.enoughAtMost) {
        if (const QString why = sizeRefusal(rule, *length, true); !why.isEmpty())
            return fail(Outcome::WrongSize, why);
    }

    // Written beside the target, which is replaced only by a complete transfer that passed the
    // rule's checks.
    ReplacingFile out(file);
    if (rule.keep && (file.isEmpty() || !out.open()))
        return fail(Outcome::Failed, cannotWrite(file, out.errorString()));
    QCryptographicHash digest(QCryptographicHash::Sha256);

    // A slow run is one of this transfer's chunks: the time between two transfers (a question
    // waiting for the user, say) is no sign of a slow line.
    slowCount_ = 0;
    clsCount counter(options_.ticks);
    counter.Clear();
    RecentRate recent;
    recent.start(options_.ticks());
    qint64 total = 0;
    QByteArray chunk;
    for (;;) {
        const qint64 wanted =
            rule.enoughAtMost ? std::min(kChunkBytes, rule.most - total) : kChunkBytes;
        const HttpTransfer::Status status =
            wanted > 0 ? transfer.read(chunk, wanted, stop) : HttpTransfer::Status::End;
        // A 停止 pressed while the last bytes came in still stops: the user asked for nothing
        // to be installed.
        if (status == HttpTransfer::Status::Stopped ||
            (status == HttpTransfer::Status::End && stopRequested_)) {
            outcome_ = Outcome::Stopped;
            break;
        }
        if (status == HttpTransfer::Status::End) {
            if (const QString why = sizeRefusal(rule, total, false); !why.isEmpty())
                return fail(Outcome::WrongSize, why);
            if (rule.sha256 && digest.result().toHex() != *rule.sha256)
                return fail(Outcome::WrongDigest, QStringLiteral("SHA-256 校验值不符"));
            if (rule.keep && !out.commit())
                return fail(Outcome::Failed, cannotWrite(file, out.errorString()));
            outcome_ = Outcome::Complete;
            break;
        }
        if (status == HttpTransfer::Status::Failed)
            return fail(Outcome::Failed, transfer.failure());
        if (chunk.size() > rule.most - total)
            return fail(Outcome::WrongSize,
                        QStringLiteral("文件超过了预期的 %1 字节").arg(rule.most));
        if (rule.keep && !out.write(chunk))
            return fail(Outcome::Failed, cannotWrite(file, out.errorString()));
        if (rule.sha256)
            digest.addData(chunk);
        total += chunk.size();
        counter.Count(chunk.size());
        chunkSpeed_ = counter.Speed();
        const std::optional<std::int64_t> rate = recent.add(options_.ticks(), total);
        lblCount_->setText(QStringLiteral("已下载 ") + FormatSize(total) + QStringLiteral("  [ ") +
                           FormatSize(rate.value_or(0)) + QStringLiteral(" /秒 ]"));
        if (static_cast<qint64>(bar_->max()) * 1024 > total)
            bar_->setValue(static_cast<std::int32_t>(total / 1024));
        lblCount_->repaint();

        // A chunk that comes within the tick the transfer started in has no measured rate yet:
        // it says nothing about the line, so it is not judged.
        if (!rate) {
        } else if (*rate >= kSlowRate) {
            slowCount_ = 0;
        } else {
            if (slowCount_ < std::numeric_limits<std::int16_t>::max())
                ++slowCount_;
            if (slowCount_ == 1)
                slowSince_ = now();
            if (now() - slowSince_ > 3.0) {
                out.cancel();
                transfer.abort();
                outcome_ = Outcome::TooSlow;
                failure_ = QStringLiteral("网速太慢");
                setStatus(qs(kOpenUrlFailed), failure_);
                tooSlowEnding();
                return total;
            }
        }
        storeProgress(false);

        // A press that came while a chunk was awaited counts too: the flag is cleared only when
        // a transfer starts.
        QCoreApplication::processEvents();
        if (stopRequested_) {
            outcome_ = Outcome::Stopped;
            break;
        }
    }
    transfer.abort();
    storeProgress(true);
    setStatus(outcome_ == Outcome::Complete ? totalText(total) : stoppedText(total, installs));
    return total;
}

void DownloadWindow::storeProgress(bool last) {
    const std::int32_t max = bar_->max();
    if (max == 0)
        return;  // no whole to measure against
    const qint64 percent = static_cast<qint64>(bar_->Value()) * 100 / max;
    // The store is a file rewritten and synced to disk at every write, which costs milliseconds:
    // it is written when the percent has moved, at most once a second, and at the end.
    if (percent == lastPercent_)
        return;
    const std::int64_t tick = options_.ticks();
    if (!last && lastPercent_ && tick - lastProgressTick_ < 1000)
        return;
    lastPercent_ = percent;
    lastProgressTick_ = tick;
    options_.settings.setValue(qs(kHandOverSection), QStringLiteral("下载进度"),
                               QString::number(percent));
}

void DownloadWindow::tooSlowEnding() {
    const QString title = qs(kProgramName);
    const bool ok =
        options_.prompts.okCancel &&
        options_.prompts.okCancel(
            this, title, QStringLiteral("网速太慢,自动升级无效！请进入“沐梧工作室”人工下载。"));
    if (ok) {
        if (options_.openUrl)
            options_.openUrl(QUrl(options_.site));
        QCoreApplication::processEvents();
        options_.settings.setValue(qs(kHandOverSection), QStringLiteral("下载失败"),
                                   QStringLiteral("True"));
    }
    options_.settings.setValue(qs(kHandOverSection), QStringLiteral("下载进度"),
                               QStringLiteral("0"));
}

}  // namespace muwu
