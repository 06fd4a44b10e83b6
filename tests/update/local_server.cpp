#include "tests/update/local_server.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "tests/update/loopback_http.h"

namespace muwu::test {

namespace {

constexpr auto kHoldLimit = std::chrono::seconds(10);
const char* const kType = "application/octet-stream";

// Serves body[0, size) and then, when cut is set, drops the connection early.
void serveBody(httplib::Response& res, std::shared_ptr<const std::string> body,
               std::size_t announced) {
    res.set_content_provider(
        announced, kType, [body](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            if (offset >= body->size())
                return false;  // cut short of what was announced
            const std::size_t n = std::min({length, body->size() - offset, std::size_t{65536}});
            return sink.write(body->data() + offset, n);
        });
}

}  // namespace

std::string patternBody(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>(i % 256);
    return s;
}

struct LocalServer::Impl {
    std::unique_ptr<httplib::Server> server;
    std::shared_ptr<const std::string> large = std::make_shared<const std::string>();
};

LocalServer::LocalServer() : impl_(std::make_unique<Impl>()) {
    impl_->server = std::make_unique<httplib::Server>();
    addRoutes();
}

LocalServer::LocalServer(const std::string& certFile, const std::string& keyFile)
    : impl_(std::make_unique<Impl>()), tls_(true) {
    impl_->server = std::make_unique<httplib::SSLServer>(certFile.c_str(), keyFile.c_str());
    addRoutes();
}

LocalServer::~LocalServer() {
    release();
    impl_->server->stop();
    if (thread_.joinable())
        thread_.join();
}

std::string LocalServer::base() const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

void LocalServer::release() {
    {
        std::lock_guard lock(mutex_);
        open_ = true;
    }
    released_.notify_all();
}

void LocalServer::rearm() {
    std::lock_guard lock(mutex_);
    open_ = false;
}

bool LocalServer::waitRelease() {
    std::unique_lock lock(mutex_);
    return released_.wait_for(lock, kHoldLimit, [this] { return open_; });
}

void LocalServer::setLargeBody(std::size_t size) {
    impl_->large = std::make_shared<const std::string>(patternBody(size));
}

void LocalServer::addRoutes() {
    httplib::Server& s = *impl_->server;
    auto file5000 = std::make_shared<const std::string>(patternBody(5000));
    auto mb = std::make_shared<const std::string>(patternBody(1 << 20));
    auto first3000 = std::make_shared<const std::string>(patternBody(3000));

    s.Get("/file5000", [file5000](const httplib::Request&, httplib::Response& res) {
        serveBody(res, file5000, 5000);
    });
    s.Get("/VAZUZ_EZ_Uzira.exe", [file5000](const httplib::Request&, httplib::Response& res) {
        serveBody(res, file5000, 5000);
    });
    s.Get("/mb", [mb](const httplib::Request&, httplib::Response& res) {
        serveBody(res, mb, mb->size());
    });
    s.Get("/large", [this](const httplib::Request&, httplib::Response& res) {
        serveBody(res, impl_->large, impl_->large->size());
    });
    s.Get("/missing", [](const httplib::Request&, httplib::Response& res) { notFound(res); });
    // Announces 5000 bytes, sends 3000 and hangs up.
    s.Get("/short", [first3000](const httplib::Request&, httplib::Response& res) {
        serveBody(res, first3000, 5000);
    });
    s.Get("/short/VAZUZ_EZ_Uzira.exe",
          [first3000](const httplib::Request&, httplib::Response& res) {
              serveBody(res, first3000, 5000);
          });
    // No Content-Length at all.
    s.Get("/nolength/VAZUZ_EZ_Uzira.exe",
          [file5000](const httplib::Request&, httplib::Response& res) {
              serveWithoutLength(res, file5000);
          });
    // The headers, then nothing until released.
    s.Get("/stall", [this](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(5000, kType, [this](std::size_t, std::size_t, httplib::DataSink&) {
            waitRelease();
            return false;
        });
    });
    // 4096 bytes, then the last 904 once released.
    s.Get(R"(/hold(/VAZUZ_EZ_Uzira\.exe)?)",
          [this, file5000](const httplib::Request&, httplib::Response& res) {
              res.set_content_provider(
                  5000, kType,
                  [this, file5000](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                      if (offset == 0)
                          return sink.write(file5000->data(), 4096);
                      if (!waitRelease())
                          return false;
                      return sink.write(file5000->data() + offset, 5000 - offset);
                  });
          });
    // 100 bytes every 100 ms; the test's clock moves 2 s before each piece.
    s.Get("/drip", [this, file5000](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(
            2000, kType,
            [this, file5000](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                dripClock += 2000;
                return sink.write(file5000->data() + offset, 100);
            });
    });

    // /paced?piece=N&ms=M&total=T: T bytes in pieces of N, each sent once the test has seen the
    // ones before arrive (clientHas), the test's clock moving M ms before each piece: a transfer
    // at a rate the test knows, however busy the machine.
    s.Get("/paced", [this](const httplib::Request& req, httplib::Response& res) {
        const std::size_t piece = std::stoul(req.get_param_value("piece"));
        const std::int64_t ms = std::stoll(req.get_param_value("ms"));
        const std::size_t total = std::stoul(req.get_param_value("total"));
        auto body = std::make_shared<const std::string>(patternBody(total));
        res.set_content_provider(
            total, kType,
            [this, body, piece, ms](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                // Time for the client to take in the headers and start its clock first.
                if (offset == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                for (int i = 0; i < 2000 && clientHas.load() < static_cast<std::int64_t>(offset);
                     ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                dripClock += ms;
                return sink.write(body->data() + offset, std::min(piece, body->size() - offset));
            });
    });

    port_ = startOnLoopback(s, thread_);
    if (port_ <= 0)
        std::abort();
}

bool makeSelfSignedCertificate(const std::string& certFile, const std::string& keyFile) {
    const std::string command =
        "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
        "-addext subjectAltName=IP:127.0.0.1 -keyout '" +
        keyFile + "' -out '" + certFile + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);  // bound but never listening, then closed: connections are refused
    return port;
}

}  // namespace muwu::test
