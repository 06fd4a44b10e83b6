#pragma once
// A real HTTP server on 127.0.0.1 at a port the system picks, serving the update server's files
// from its own thread for one test. Each file can be served whole, without "Content-Length",
// cut short, as an error page, or without end; the bytes it sent are counted.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/update/loopback_http.h"

namespace muwu::test {

class UpdateServer {
  public:
    enum class Mode {
        Whole,
        NoLength,
        Truncated,
        ErrorPage,
        Slow,
        Endless,           // the body again and again, with no length
        HugeLength,        // "Content-Length: 53687091200", then the body again and again
        WholeThenEndless,  // whole to the first request, endless to the later ones
    };
    // An endless body ends here all the same, so that a client that never stops cannot hold
    // a test for long.
    static constexpr std::size_t kEndlessCap = std::size_t{64} << 20;

    UpdateServer() {
        server_.Get(R"(/.*)", [this](const httplib::Request& req, httplib::Response& res) {
            serve(req, res);
        });
        port_ = startOnLoopback(server_, thread_);
        if (port_ <= 0)
            throw std::runtime_error("no port for the test server");
    }
    ~UpdateServer() {
        server_.stop();
        thread_.join();
    }
    UpdateServer(const UpdateServer&) = delete;
    UpdateServer& operator=(const UpdateServer&) = delete;

    [[nodiscard]] std::string address() const {
        return "http://127.0.0.1:" + std::to_string(port_);
    }

    void put(const std::string& path, std::string body, Mode mode = Mode::Whole) {
        const std::lock_guard lock(mutex_);
        files_[path] = File{std::move(body), mode};
    }
    // GET requests that reached a path, served or not.
    [[nodiscard]] int hits(const std::string& path) const {
        const std::lock_guard lock(mutex_);
        const auto it = hits_.find(path);
        return it == hits_.end() ? 0 : it->second;
    }
    // Bytes of endless bodies handed to the connection for a path.
    [[nodiscard]] std::size_t sent(const std::string& path) const {
        const std::lock_guard lock(mutex_);
        const auto it = sent_.find(path);
        return it == sent_.end() ? 0 : it->second;
    }

  private:
    struct File {
        std::string body;
        Mode mode = Mode::Whole;
    };

    void serve(const httplib::Request& req, httplib::Response& res) {
        File file;
        int hit = 0;
        {
            const std::lock_guard lock(mutex_);
            hit = ++hits_[req.path];
            const auto it = files_.find(req.path);
            if (it == files_.end()) {
                notFound(res);
                return;
            }
            file = it->second;
        }
        const auto body = std::make_shared<std::string>(std::move(file.body));
        if (file.mode == Mode::WholeThenEndless)
            file.mode = hit == 1 ? Mode::Whole : Mode::Endless;
        switch (file.mode) {
            case Mode::WholeThenEndless:
            case Mode::Endless:
            case Mode::HugeLength:
                serveEndless(req.path, res, body, file.mode == Mode::HugeLength);
                return;
            case Mode::Whole:
                res.set_content(*body, "application/octet-stream");
                return;
            case Mode::ErrorPage:
                res.status = 500;
                res.set_content(*body, "text/html");
                return;
            case Mode::NoLength:
                serveWithoutLength(res, body);
                return;
            case Mode::Slow:
                // The whole length, a piece every few milliseconds, so a user can press stop.
                res.set_content_provider(
                    body->size(), "application/octet-stream",
                    [body](size_t offset, size_t length, httplib::DataSink& sink) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(15));
                        return sink.write(body->data() + offset, std::min<size_t>(length, 2048));
                    });
                return;
            case Mode::Truncated:
                // Announces the whole length, sends half, then drops the connection.
                res.set_content_provider(body->size(), "application/octet-stream",
                                         [body](size_t offset, size_t, httplib::DataSink& sink) {
                                             const size_t half = body->size() / 2;
                                             if (offset >= half)
                                                 return false;
                                             sink.write(body->data() + offset, half - offset);
                                             return true;
                                         });
                return;
        }
    }

    // The body over and over, up to kEndlessCap.
    void serveEndless(const std::string& path, httplib::Response& res,
                      std::shared_ptr<std::string> body, bool hugeLength) {
        const auto provide = [this, path, body](std::size_t offset, httplib::DataSink& sink) {
            if (offset >= kEndlessCap || body->empty())
                return false;
            const std::size_t n = std::min<std::size_t>(body->size(), 65536);
            if (!sink.write(body->data(), n))
                return false;
            const std::lock_guard lock(mutex_);
            sent_[path] += n;
            return true;
        };
        if (hugeLength)
            res.set_content_provider(
                std::size_t{53687091200}, "application/octet-stream",
                [provide](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    return provide(offset, sink);
                });
        else
            res.set_chunked_content_provider("application/octet-stream", provide);
    }

    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, File> files_;
    std::map<std::string, int> hits_;
    std::map<std::string, std::size_t> sent_;
};

}  // namespace muwu::test
