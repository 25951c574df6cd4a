#include "tests/demo/http_get.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace vx::test {
namespace {

class Socket {
  public:
    Socket() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {}
    ~Socket() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

std::optional<RawResponse> http_get(std::string_view address, int timeout_ms) {
    constexpr std::string_view kScheme = "http://127.0.0.1:";
    if (address.substr(0, kScheme.size()) != kScheme) {
        return std::nullopt;
    }
    address.remove_prefix(kScheme.size());
    const auto slash = address.find('/');
    const int port = std::atoi(std::string(address.substr(0, slash)).c_str());
    const std::string target(slash == std::string_view::npos ? "/" : address.substr(slash));

    const Socket socket;
    const int fd = socket.fd();
    if (fd < 0) {
        return std::nullopt;
    }
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(static_cast<std::uint16_t>(port));
    peer.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        return std::nullopt;
    }
    const std::string request =
        "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(request.size())) {
        return std::nullopt;
    }
    std::string received;
    std::array<char, 65536> buffer{};
    for (;;) {
        pollfd waiting{fd, POLLIN, 0};
        if (::poll(&waiting, 1, timeout_ms) <= 0) {
            break;
        }
        const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (n <= 0) {
            break;
        }
        received.append(buffer.data(), static_cast<std::size_t>(n));
    }
    const auto blank = received.find("\r\n\r\n");
    if (blank == std::string::npos) {
        return std::nullopt;
    }
    RawResponse response;
    response.head = received.substr(0, blank + 2);
    response.body = received.substr(blank + 4);
    if (response.head.size() > 12) {
        response.status = std::atoi(response.head.substr(9, 3).c_str());
    }
    constexpr std::string_view kLength = "Content-Length: ";
    if (const auto at = response.head.find(kLength); at != std::string::npos) {
        response.content_length =
            static_cast<std::size_t>(std::atoll(response.head.c_str() + at + kLength.size()));
    }
    return response;
}

}  // namespace vx::test
