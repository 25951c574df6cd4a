#pragma once

// An ordinary HTTP server on 127.0.0.1 (cpp-httplib) that records every
// request it answers; over TLS with a fresh self-signed certificate when
// asked. Register handlers on server(), then start().

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vx::test {

struct SeenRequest {
    std::string method;
    std::string target;
    std::string body;
    httplib::Headers headers;
};

enum class Transport { plain, tls };

class LibServer {
  public:
    explicit LibServer(Transport transport = Transport::plain);
    ~LibServer();
    LibServer(const LibServer&) = delete;
    LibServer& operator=(const LibServer&) = delete;

    httplib::Server& server() noexcept { return *server_; }
    void start();

    int port() const noexcept { return port_; }
    std::string url(std::string_view path = "/") const;
    // The requests answered so far. The server records a request after its
    // response has gone out, so a client may return before it is recorded:
    // wait_seen waits (up to `limit`) until at least `count` are.
    std::vector<SeenRequest> seen() const;
    std::size_t wait_seen(std::size_t count,
                          std::chrono::milliseconds limit = std::chrono::seconds(2)) const;

  private:
    std::unique_ptr<httplib::Server> server_;
    bool tls_ = false;
    int port_ = 0;
    mutable std::mutex mutex_;
    mutable std::condition_variable recorded_;
    std::vector<SeenRequest> seen_;
    std::thread thread_;
};

}  // namespace vx::test
