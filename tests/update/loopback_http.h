#pragma once
// What the test servers share: serving on 127.0.0.1 at a port the system picks, the 404 page and
// a body sent without "Content-Length".
#include <httplib.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace muwu::test {

// Binds the server to 127.0.0.1 at a port the system picks and, when that worked, serves on a
// thread of its own and waits (bounded) until it runs. Returns the port; 0 or less: none bound
// and no thread started.
inline int startOnLoopback(httplib::Server& server, std::thread& thread) {
    const int port = server.bind_to_any_port("127.0.0.1");
    if (port <= 0)
        return port;
    thread = std::thread([&server] { server.listen_after_bind(); });
    for (int i = 0; i < 500 && !server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return port;
}

inline void notFound(httplib::Response& res) {
    res.status = 404;
    res.set_content("<html><body>404 Not Found</body></html>", "text/html");
}

// The body in chunks, with no "Content-Length" at all.
inline void serveWithoutLength(httplib::Response& res, std::shared_ptr<const std::string> body) {
    res.set_chunked_content_provider(
        "application/octet-stream", [body](std::size_t offset, httplib::DataSink& sink) {
            if (offset >= body->size()) {
                sink.done();
                return true;
            }
            return sink.write(body->data() + offset, body->size() - offset);
        });
}

}  // namespace muwu::test
