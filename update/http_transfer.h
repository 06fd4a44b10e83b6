#pragma once
// One HTTP(S) GET read piece by piece on the user-interface thread, the one place that touches
// Qt Network. Waiting for the server services the event loop, so the window stays usable and a
// stop request ends the wait; a server that goes silent fails the transfer after a while.
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QSslConfiguration>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

class QNetworkReply;

namespace muwu {

struct HttpTransferOptions {
    QString userAgent = QStringLiteral("VB OpenUrl");
    // The server's answer (status line and headers) must come within this.
    std::chrono::milliseconds openLimit{10'000};
    // A transfer that receives nothing for this long has failed.
    std::chrono::milliseconds stallLimit{30'000};
    // Replaces the default TLS settings (a test trusts its own certificate only).
    std::optional<QSslConfiguration> tls;
};

class HttpTransfer {
  public:
    enum class Status {
        Data,     // a piece was read
        End,      // the body is complete
        Failed,   // refused, unreachable, not 2xx, cut short, broken, timed out
        Stopped,  // the caller asked to stop while waiting
    };

    // Asked while waiting; true ends the wait with Stopped.
    using StopCheck = std::function<bool()>;

    HttpTransfer(QNetworkAccessManager& network, HttpTransferOptions options);
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Sends the GET and waits for the status line and headers. Data when the server answered
    // with 2xx; Failed otherwise; Stopped when stop() became true meanwhile.
    Status open(const QString& url, const StopCheck& stop);

    // Reads at most max bytes into out, waiting when none are there yet.
    Status read(QByteArray& out, qint64 max, const StopCheck& stop);

    // The "Content-Length" the server sent, when it is a number.
    [[nodiscard]] std::optional<qint64> contentLength() const;
    [[nodiscard]] int httpStatus() const;
    // Why the transfer failed, for a tooltip; empty when it has not.
    [[nodiscard]] const QString& failure() const noexcept { return failure_; }

    // Drops the connection; nothing more is read.
    void abort();

  private:
    // Services the event loop until ready() or stop() holds or the limit passes.
    enum class Wait { Ready, Stopped, TimedOut };
    Wait waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit,
                 const StopCheck& stop);
    Status fail(QString why);

    QNetworkAccessManager& network_;
    HttpTransferOptions options_;
    QPointer<QNetworkReply> reply_;
    qint64 received_ = 0;
    QString failure_;
};

}  // namespace muwu
