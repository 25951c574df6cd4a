#include "tests/http/lib_server.h"

#include <chrono>
#include <cstdlib>

namespace vx::test {

namespace {

template <typename T, void (*Free)(T*)>
struct OpenSslFree {
    void operator()(T* object) const noexcept { Free(object); }
};
using Key = std::unique_ptr<EVP_PKEY, OpenSslFree<EVP_PKEY, EVP_PKEY_free>>;
using Certificate = std::unique_ptr<X509, OpenSslFree<X509, X509_free>>;

// A TLS server with a self-signed certificate for a name that is not the
// address the client uses: every check a client could make fails.
std::unique_ptr<httplib::Server> make_tls_server() {
    const Key key(EVP_EC_gen("P-256"));
    const Certificate certificate(X509_new());
    if (!key || !certificate) {
        std::abort();
    }
    X509_set_version(certificate.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), 0);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 3600);
    X509_set_pubkey(certificate.get(), key.get());
    X509_NAME* name = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("not-this-host.example"), -1,
                               -1, 0);
    X509_set_issuer_name(certificate.get(), name);
    if (X509_sign(certificate.get(), key.get(), EVP_sha256()) == 0) {
        std::abort();
    }
    // The server takes its own references to both.
    auto server = std::make_unique<httplib::SSLServer>(certificate.get(), key.get());
    if (!server->is_valid()) {
        std::abort();
    }
    return server;
}

}  // namespace

LibServer::LibServer(Transport transport)
    : server_(transport == Transport::tls ? make_tls_server()
                                          : std::make_unique<httplib::Server>()),
      tls_(transport == Transport::tls) {
    server_->set_logger([this](const httplib::Request& request, const httplib::Response&) {
        std::lock_guard lock(mutex_);
        seen_.push_back({request.method, request.target, request.body, request.headers});
        recorded_.notify_all();
    });
}

LibServer::~LibServer() {
    if (thread_.joinable()) {
        server_->stop();
        thread_.join();
    }
}

void LibServer::start() {
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        std::abort();  // a test machine without loopback cannot run these tests
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string LibServer::url(std::string_view path) const {
    return (tls_ ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port_) +
           std::string(path);
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
