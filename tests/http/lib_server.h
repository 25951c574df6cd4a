#pragma once

// An ordinary HTTP server on 127.0.0.1 (cpp-httplib) that records every
// request it answers. Register handlers on server(), then start().

#include <httplib.h>

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

class LibServer {
  public:
    LibServer();
    ~LibServer();
    LibServer(const LibServer&) = delete;
    LibServer& operator=(const LibServer&) = delete;

    httplib::Server& server() noexcept { return server_; }
    void start();

    int port() const noexcept { return port_; }
    std::string url(std::string_view path = "/") const;
    std::vector<SeenRequest> seen() const;

  private:
    httplib::Server server_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<SeenRequest> seen_;
    std::thread thread_;
};

}  // namespace vx::test
