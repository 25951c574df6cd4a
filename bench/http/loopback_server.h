#pragma once

// An httplib server on 127.0.0.1 for the benchmarks, running on its own thread.

#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace vx::bench {

class LoopbackServer {
  public:
    explicit LoopbackServer(httplib::Server& server) : server_(server) {
        port_ = server_.bind_to_any_port("127.0.0.1");
        if (port_ <= 0) {
            std::abort();
        }
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ~LoopbackServer() {
        server_.stop();
        thread_.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    httplib::Server& server_;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace vx::bench
