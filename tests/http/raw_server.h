#pragma once

// A scripted server on 127.0.0.1 for what an HTTP library will not send:
// broken responses, cut-off bodies, silence. It accepts connections one at a
// time on its own thread and hands each to the script, recording every byte
// it receives.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vx::test {

class RawServer;

class RawConnection {
  public:
    RawConnection(RawServer& server, int fd) : server_(server), fd_(fd) {}

    // Reads one request: its header block and a body of Content-Length bytes.
    // While `slow` returns true the body is read with a short pause after
    // each read. Returns what it read (empty when the peer closed first).
    std::string read_request(const std::function<bool()>& slow = {});
    // Sends all of `bytes`; false when the peer went away or the server stops.
    bool send(std::string_view bytes);
    // Waits until the peer closes the connection or the server stops.
    void wait_for_close();

  private:
    // Up to `limit` bytes, waiting in short steps; empty when closed or stopping.
    std::string read_some(std::size_t limit);

    RawServer& server_;
    int fd_;
};

class RawServer {
  public:
    using Script = std::function<void(RawConnection&)>;

    explicit RawServer(Script script);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    int port() const noexcept { return port_; }
    std::string url(std::string_view path = "/") const;

    // The bytes received on each connection so far, in order of arrival.
    std::vector<std::string> requests() const;
    std::string first_request() const;
    int connections() const noexcept { return connections_.load(); }
    std::size_t bytes_received() const noexcept { return received_.load(); }
    std::size_t bytes_sent() const noexcept { return sent_.load(); }
    bool stopping() const noexcept { return stopping_.load(); }

  private:
    friend class RawConnection;
    void run();
    void record(std::size_t connection, std::string_view bytes);

    Script script_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    std::atomic<std::size_t> received_{0};
    std::atomic<std::size_t> sent_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A reply with a status line, the given header lines and a Content-Length body.
std::string http_reply(std::string_view status_line, std::string_view headers,
                       std::string_view body);

}  // namespace vx::test
