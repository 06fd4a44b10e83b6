#pragma once
// A real HTTP server on 127.0.0.1 at a port the system picks, serving the update server's files
// from its own thread for one test. Each file can be served whole, without "Content-Length",
// cut short, or as an error page.
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
    enum class Mode { Whole, NoLength, Truncated, ErrorPage, Slow };

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

  private:
    struct File {
        std::string body;
        Mode mode = Mode::Whole;
    };

    void serve(const httplib::Request& req, httplib::Response& res) {
        File file;
        {
            const std::lock_guard lock(mutex_);
            ++hits_[req.path];
            const auto it = files_.find(req.path);
            if (it == files_.end()) {
                notFound(res);
                return;
            }
            file = it->second;
        }
        const auto body = std::make_shared<std::string>(std::move(file.body));
        switch (file.mode) {
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

    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, File> files_;
    std::map<std::string, int> hits_;
};

}  // namespace muwu::test
