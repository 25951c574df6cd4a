#include "tests/http/lib_server.h"

#include <chrono>
#include <cstdlib>

namespace vx::test {

LibServer::LibServer() {
    server_.set_logger([this](const httplib::Request& request, const httplib::Response&) {
        std::lock_guard lock(mutex_);
        seen_.push_back({request.method, request.target, request.body, request.headers});
        recorded_.notify_all();
    });
}

LibServer::~LibServer() {
    if (thread_.joinable()) {
        server_.stop();
        thread_.join();
    }
}

void LibServer::start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        std::abort();  // a test machine without loopback cannot run these tests
    }
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string LibServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<SeenRequest> LibServer::seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

}  // namespace vx::test

namespace vx::test {

std::size_t LibServer::wait_seen(std::size_t count, std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    recorded_.wait_for(lock, limit, [&] { return seen_.size() >= count; });
    return seen_.size();
}

}  // namespace vx::test
