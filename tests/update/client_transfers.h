#pragma once
// Stands in for the download window until it exists: the same controls' worth of state, each
// transfer a real GET through cpp-httplib's client, bounded in time.
#include <httplib.h>

#include <QFile>
#include <QUrl>

#include "update/update_check.h"

namespace muwu::test {

class ClientTransfers : public TransferWindow {
  public:
    void setUrl(const QString& url) override { url_ = url; }
    void setFile(const QString& file) override { file_ = file; }
    void pressStart() override {
        const QUrl u(url_);
        httplib::Client client(u.scheme().toStdString() + "://" + u.host().toStdString() + ":" +
                               std::to_string(u.port(80)));
        client.set_connection_timeout(5);
        client.set_read_timeout(5);
        const auto res = client.Get(u.path().toStdString());
        if (!res || res->status / 100 != 2) {
            status_ = QStringLiteral("打开URL错误");
            return;
        }
        QFile f(file_);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            status_ = QStringLiteral("打开URL错误");
            return;
        }
        f.write(res->body.data(), static_cast<qint64>(res->body.size()));
        status_ = QStringLiteral("共下载 %1 字节").arg(res->body.size());
    }
    [[nodiscard]] QString status() const override { return status_; }
    void setExpectedSize(qint64 kilobytes) override { size_ = kilobytes; }
    void setSlowCount(int count) override { slowCount = count; }
    void showWindow() override { shown = true; }
    [[nodiscard]] std::optional<qint64> contentLength(const QString& url) override {
        const QUrl u(url);
        httplib::Client client(u.scheme().toStdString() + "://" + u.host().toStdString() + ":" +
                               std::to_string(u.port(80)));
        client.set_connection_timeout(5);
        client.set_read_timeout(5);
        std::optional<qint64> length;
        client.Get(
            u.path().toStdString(),
            [&](const httplib::Response& r) {
                if (r.has_header("Content-Length"))
                    length = std::stoll(r.get_header_value("Content-Length"));
                return false;
            },
            [](const char*, size_t) { return false; });
        return length;
    }

    [[nodiscard]] qint64 expectedSize() const { return size_; }
    QString url_, file_, status_ = QStringLiteral("下载");
    qint64 size_ = 3181;
    int slowCount = -1;
    bool shown = false;
};

}  // namespace muwu::test
