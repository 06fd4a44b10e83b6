#include "update/http_transfer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace muwu {

namespace {

// Bytes Qt may hold for us before it stops reading the socket, so a slow reader does not fill
// memory with a large file.
constexpr qint64 kReadBuffer = 1 << 20;
constexpr std::chrono::milliseconds kWakeInterval{5};

}  // namespace

HttpTransfer::HttpTransfer(QNetworkAccessManager& network, HttpTransferOptions options)
    : network_(network), options_(std::move(options)) {}

HttpTransfer::~HttpTransfer() {
    abort();
}

void HttpTransfer::abort() {
    if (reply_) {
        QNetworkReply* r = reply_;
        reply_.clear();
        r->disconnect();
        r->abort();
        r->deleteLater();
    }
}

HttpTransfer::Status HttpTransfer::fail(QString why) {
    failure_ = std::move(why);
    abort();
    return Status::Failed;
}

HttpTransfer::Wait HttpTransfer::waitFor(const std::function<bool()>& ready,
                                         std::chrono::milliseconds limit, const StopCheck& stop) {
    if (ready())
        return Wait::Ready;
    QElapsedTimer clock;
    clock.start();
    // Wakes the wait now and then: Qt Network hands some news on through a second queued call
    // whose wake-up the platform's dispatcher can miss, and the limit must be seen when nothing
    // arrives at all.
    QTimer wake;
    wake.start(kWakeInterval);
    while (!ready()) {
        if (stop && stop())
            return Wait::Stopped;
        if (std::chrono::milliseconds(clock.elapsed()) >= limit)
            return Wait::TimedOut;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return Wait::Ready;
}

HttpTransfer::Status HttpTransfer::open(const QString& url, const StopCheck& stop) {
    abort();
    failure_.clear();
    received_ = 0;
    const QUrl address(url, QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        address.host().isEmpty())
        return fail(QStringLiteral("不是 http 或 https 地址：") + url);

    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::UserAgentHeader, options_.userAgent);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // The file is stored byte for byte as served, and its length checked against the header.
    request.setRawHeader("Accept-Encoding", "identity");
    if (options_.tls)
        request.setSslConfiguration(*options_.tls);
    reply_ = network_.get(request);
    reply_->setReadBufferSize(kReadBuffer);

    bool answered = false;
    QObject::connect(reply_, &QNetworkReply::metaDataChanged, reply_,
                     [&answered] { answered = true; });
    const Wait w = waitFor(
        [&] { return !reply_ || answered || reply_->isFinished() || reply_->bytesAvailable() > 0; },
        options_.openLimit, stop);
    if (reply_)
        QObject::disconnect(reply_, &QNetworkReply::metaDataChanged, reply_, nullptr);
    if (w == Wait::Stopped) {
        abort();
        return Status::Stopped;
    }
    if (w == Wait::TimedOut)
        return fail(QStringLiteral("服务器没有在时限内应答"));
    if (!reply_)
        return fail(QStringLiteral("连接已中断"));
    const int status = httpStatus();
    if (status == 0 && reply_->error() != QNetworkReply::NoError)
        return fail(reply_->errorString());
    if (status < 200 || status > 299)
        return fail(QStringLiteral("服务器应答 HTTP %1").arg(status));
    return Status::Data;
}

HttpTransfer::Status HttpTransfer::read(QByteArray& out, qint64 max, const StopCheck& stop) {
    out.clear();
    if (!reply_)
        return Status::Failed;
    const Wait w =
        waitFor([this] { return !reply_ || reply_->bytesAvailable() > 0 || reply_->isFinished(); },
                options_.stallLimit, stop);
    if (w == Wait::Stopped)
        return Status::Stopped;
    if (w == Wait::TimedOut)
        return fail(QStringLiteral("服务器 %1 秒没有送来数据")
                        .arg(static_cast<double>(options_.stallLimit.count()) / 1000.0));
    if (!reply_)
        return Status::Failed;
    if (reply_->bytesAvailable() > 0) {
        out.resize(max);
        const qint64 n = reply_->read(out.data(), max);
        if (n > 0) {
            out.resize(n);
            received_ += n;
            return Status::Data;
        }
        out.clear();
    }
    // Finished with nothing left to read: complete only without an error and with every byte
    // the server announced.
    if (const auto length = contentLength(); length && received_ < *length)
        return fail(
            QStringLiteral("只收到 %1 字节，服务器说有 %2 字节").arg(received_).arg(*length));
    if (reply_->error() != QNetworkReply::NoError)
        return fail(reply_->errorString());
    return Status::End;
}

std::optional<qint64> HttpTransfer::contentLength() const {
    if (!reply_ || !reply_->hasRawHeader("Content-Length"))
        return std::nullopt;
    bool ok = false;
    const qint64 n = reply_->rawHeader("Content-Length").trimmed().toLongLong(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

int HttpTransfer::httpStatus() const {
    if (!reply_)
        return 0;
    return reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

}  // namespace muwu
