#pragma once
// A real HTTP or HTTPS server on 127.0.0.1 and an ephemeral port, running on a thread of the
// test, with the routes the download tests need. Every wait inside it is bounded.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace muwu::test {

// Bytes 0, 1, 2 … 255, 0, 1 … of the given length: a body whose every byte can be checked.
[[nodiscard]] std::string patternBody(std::size_t size);

class LocalServer {
  public:
    // Plain HTTP; with a certificate and key (PEM files) HTTPS.
    LocalServer();
    LocalServer(const std::string& certFile, const std::string& keyFile);
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    [[nodiscard]] int port() const noexcept { return port_; }
    // "http://127.0.0.1:port" (or https).
    [[nodiscard]] std::string base() const;

    // Lets the held routes (/hold, /stall) go on; they also go on by themselves after 10 s.
    void release();
    // Gates are closed again for the next case.
    void rearm();

    // Raised by /drip and /paced before each piece they send: the test's clock follows the
    // server.
    std::atomic<std::int64_t> dripClock{0};
    // Bytes the test has seen arrive, which /paced waits for (2 s at most) before a piece.
    std::atomic<std::int64_t> clientHas{0};

    // A large body served from memory (the benchmark's file).
    void setLargeBody(std::size_t size);

  private:
    void addRoutes();
    bool waitRelease();

    struct Impl;
    std::unique_ptr<Impl> impl_;
    int port_ = 0;
    bool tls_ = false;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable released_;
    bool open_ = false;
};

// Writes a self-signed certificate for 127.0.0.1 and its key with the openssl command; false
// when that failed.
bool makeSelfSignedCertificate(const std::string& certFile, const std::string& keyFile);

// A port on 127.0.0.1 where nothing listens.
[[nodiscard]] int closedPort();

}  // namespace muwu::test
