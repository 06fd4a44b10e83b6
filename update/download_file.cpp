// DownloadFile: one URL into one file in chunks of at most 2048 bytes, showing amount and rate,
// watching for a connection that is too slow and honouring the stop button.
#include <QCoreApplication>
#include <QLabel>
#include <QSaveFile>
#include <QScopeGuard>
#include <QUrl>
#include <limits>

#include "controls/progress_bar.h"
#include "platform/qt_text.h"
#include "shell/links.h"
#include "update/download_window.h"

namespace muwu {

namespace {

QString totalText(qint64 total) {
    return QStringLiteral("共下载 ") + QString::number(total) + QStringLiteral(" 字节");
}

}  // namespace

qint64 DownloadWindow::DownloadFile(const QString& url, const QString& file) {
    running_ = true;
    const auto notRunning = qScopeGuard([this] { running_ = false; });
    outcome_ = Outcome::Failed;
    failure_.clear();
    lastPercent_.reset();
    stopRequested_ = false;
    setStatus(QStringLiteral("正在连接服务器..."));

    auto fail = [this](const QString& why) {
        outcome_ = Outcome::Failed;
        failure_ = why;
        setStatus(qs(kOpenUrlFailed), why);
        return qint64{0};
    };
    const HttpTransfer::StopCheck stop = [this] { return stopRequested_; };

    HttpTransfer transfer(network_, options_.http);
    switch (transfer.open(url, stop)) {
        case HttpTransfer::Status::Data:
            break;
        case HttpTransfer::Status::Stopped:
            outcome_ = Outcome::Stopped;
            setStatus(totalText(0));
            return 0;
        default:
            return fail(transfer.failure());
    }

    // Written beside the target, which is replaced only by a complete transfer.
    QSaveFile out(file);
    if (file.isEmpty() || !out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("无法写入文件：") + file +
                    (file.isEmpty()
                         ? QString()
                         : QStringLiteral("（") + out.errorString() + QStringLiteral("）")));

    // A slow run is one of this transfer's chunks: the time between two transfers (a question
    // waiting for the user, say) is no sign of a slow line.
    slowCount_ = 0;
    clsCount counter(options_.ticks);
    counter.Clear();
    qint64 total = 0;
    QByteArray chunk;
    for (;;) {
        const HttpTransfer::Status status = transfer.read(chunk, kChunkBytes, stop);
        if (status == HttpTransfer::Status::End) {
            if (!out.commit())
                return fail(QStringLiteral("无法写入文件：") + file + QStringLiteral("（") +
                            out.errorString() + QStringLiteral("）"));
            outcome_ = Outcome::Complete;
            break;
        }
        if (status == HttpTransfer::Status::Stopped) {
            out.cancelWriting();
            outcome_ = Outcome::Stopped;
            break;
        }
        if (status == HttpTransfer::Status::Failed) {
            out.cancelWriting();
            return fail(transfer.failure());
        }
        if (out.write(chunk) != chunk.size()) {
            const QString why = QStringLiteral("无法写入文件：") + file + QStringLiteral("（") +
                                out.errorString() + QStringLiteral("）");
            out.cancelWriting();
            return fail(why);
        }
        total += chunk.size();
        counter.Count(chunk.size());
        const qint64 speed = counter.Speed();
        lblCount_->setText(QStringLiteral("已下载 ") + FormatSize(total) + QStringLiteral("  [ ") +
                           FormatSize(speed) + QStringLiteral(" /秒 ]"));
        if (static_cast<qint64>(bar_->max()) * 1024 > total)
            bar_->setValue(static_cast<std::int32_t>(total / 1024));
        lblCount_->repaint();

        // A chunk that comes within the tick the transfer started in has no measured rate yet
        // (the counter answers 0): it says nothing about the line, so it is not judged.
        if (counter.TotalTickCount() <= 0) {
        } else if (speed >= kSlowRate) {
            slowCount_ = 0;
        } else {
            if (slowCount_ < std::numeric_limits<std::int16_t>::max())
                ++slowCount_;
            if (slowCount_ == 1)
                slowSince_ = now();
            if (now() - slowSince_ > 3.0) {
                out.cancelWriting();
                transfer.abort();
                outcome_ = Outcome::Ended;
                failure_ = QStringLiteral("网速太慢");
                tooSlowEnding();
                // Should the end come later than at once, no caller takes this for a file.
                setStatus(qs(kOpenUrlFailed), failure_);
                return total;
            }
        }
        storeProgress(false);

        stopRequested_ = false;
        QCoreApplication::processEvents();
        if (stopRequested_) {
            out.cancelWriting();
            outcome_ = Outcome::Stopped;
            break;
        }
    }
    transfer.abort();
    storeProgress(true);
    setStatus(totalText(total));
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
    if (options_.endProgram)
        options_.endProgram();
}

}  // namespace muwu
