#include "tests/http/raw_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace vx::test {
namespace {

constexpr int kStepMs = 20;

bool wait_readable(int fd, const RawServer& server) {
    while (!server.stopping()) {
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, kStepMs);
        if (ready > 0) {
            return true;
        }
    }
    return false;
}

std::size_t content_length(std::string_view head) {
    std::string lower(head);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto at = lower.find("\r\ncontent-length:");
    if (at == std::string::npos) {
        return 0;
    }
    return static_cast<std::size_t>(std::strtoull(lower.c_str() + at + 17, nullptr, 10));
}

}  // namespace

std::string RawConnection::read_some(std::size_t limit) {
    if (!wait_readable(fd_, server_)) {
        return {};
    }
    std::string buffer(limit, '\0');
    const ssize_t got = ::recv(fd_, buffer.data(), buffer.size(), 0);
    if (got <= 0) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(got));
    server_.record(static_cast<std::size_t>(server_.connections() - 1), buffer);
    return buffer;
}

std::string RawConnection::read_request(const std::function<bool()>& slow) {
    std::string request;
    std::size_t head_end = std::string::npos;
    while ((head_end = request.find("\r\n\r\n")) == std::string::npos) {
        const std::string piece = read_some(64 * 1024);
        if (piece.empty()) {
            return request;
        }
        request += piece;
    }
    const std::size_t wanted = head_end + 4 + content_length(request.substr(0, head_end + 2));
    while (request.size() < wanted) {
        const std::string piece = read_some(std::min<std::size_t>(wanted - request.size(), 65536));
        if (piece.empty()) {
            break;
        }
        request += piece;
        if (slow && slow()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    return request;
}

bool RawConnection::send(std::string_view bytes) {
    while (!bytes.empty()) {
        if (server_.stopping()) {
            return false;
        }
        pollfd pfd{fd_, POLLOUT, 0};
        if (::poll(&pfd, 1, kStepMs) <= 0) {
            continue;
        }
        const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        server_.sent_ += static_cast<std::size_t>(sent);
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void RawConnection::wait_for_close() {
    while (!read_some(4096).empty()) {
    }
}

RawServer::RawServer(Script script) : script_(std::move(script)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listener_ < 0 ||
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::abort();  // a test machine without loopback cannot run these tests
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

RawServer::~RawServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string RawServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> RawServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string RawServer::first_request() const {
    std::lock_guard lock(mutex_);
    return requests_.empty() ? std::string{} : requests_.front();
}

void RawServer::record(std::size_t connection, std::string_view bytes) {
    std::lock_guard lock(mutex_);
    if (requests_.size() <= connection) {
        requests_.resize(connection + 1);
    }
    requests_[connection] += bytes;
    received_ += bytes.size();
}

void RawServer::run() {
    while (!stopping_) {
        pollfd pfd{listener_, POLLIN, 0};
        if (::poll(&pfd, 1, kStepMs) <= 0) {
            continue;
        }
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        ++connections_;
        RawConnection connection(*this, fd);
        script_(connection);
        ::close(fd);
    }
}

std::string http_reply(std::string_view status_line, std::string_view headers,
                       std::string_view body) {
    std::string reply(status_line);
    reply += "\r\n";
    reply += headers;
    reply += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    reply += body;
    return reply;
}

}  // namespace vx::test
