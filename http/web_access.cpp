#include "http/web_access.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "http/curl_handle.h"
#include "http/request_headers.h"
#include "http/response_parts.h"
#include "http/transfer_loop.h"
#include "http/url_parts.h"
#include "text/regex_object.h"

namespace vx {
namespace {

// The numbered messages (code page 936).
// "701 解析URL地址失败!"
constexpr std::string_view kBadAddress = "701 \xBD\xE2\xCE\xF6URL\xB5\xD8\xD6\xB7\xCA\xA7\xB0\xDC!";
// "710 设置协议头失败!"
constexpr std::string_view kHeadersRefused =
    "710 \xC9\xE8\xD6\xC3\xD0\xAD\xD2\xE9\xCD\xB7\xCA\xA7\xB0\xDC!";
// "711 发送请求失败!"
constexpr std::string_view kSendFailed = "711 \xB7\xA2\xCB\xCD\xC7\xEB\xC7\xF3\xCA\xA7\xB0\xDC!";
// "712 服务器未响应!"
constexpr std::string_view kNoResponse = "712 \xB7\xFE\xCE\xF1\xC6\xF7\xCE\xB4\xCF\xEC\xD3\xA6!";
// "713 读取数据失败!"
constexpr std::string_view kReadFailed = "713 \xB6\xC1\xC8\xA1\xCA\xFD\xBE\xDD\xCA\xA7\xB0\xDC!";

// A server that sends without end must not exhaust memory.
constexpr std::size_t kMaxBodyBytes = std::size_t{1} << 30;
// The Windows stack's limit of automatic redirects.
constexpr int kMaxRedirects = 10;
constexpr int kPostMethod = 1;
constexpr int kHeadMethod = 2;
constexpr int kPutMethod = 3;

// Runs the process-events step on the way out, on every path.
class EventsOnExit {
  public:
    explicit EventsOnExit(const std::function<void()>& events) : events_(events) {}
    ~EventsOnExit() {
        if (events_) {
            events_();
        }
    }
    EventsOnExit(const EventsOnExit&) = delete;
    EventsOnExit& operator=(const EventsOnExit&) = delete;

  private:
    const std::function<void()>& events_;
};

Text fail(WebAccessParams& params, std::string_view message) {
    params.status_text = Text(message);
    return {};
}

// What one hop's transfer writes into.
struct HopState {
    HeaderBlockCollector headers;
    BodySink body{kMaxBodyBytes};
};

size_t on_header(char* data, size_t size, size_t count, void* user) {
    auto* hop = static_cast<HopState*>(user);
    hop->headers.add_line(std::string_view(data, size * count));
    return size * count;
}

size_t on_body(char* data, size_t size, size_t count, void* user) {
    auto* hop = static_cast<HopState*>(user);
    return hop->body.append(std::string_view(data, size * count)) ? size * count : 0;
}

bool request_started(CURL* easy) {
    curl_off_t pretransfer = 0;
    curl_easy_getinfo(easy, CURLINFO_PRETRANSFER_TIME_T, &pretransfer);
    return pretransfer > 0;
}

bool request_fully_sent(CURL* easy, std::size_t body_size) {
    curl_off_t sent = 0;
    curl_easy_getinfo(easy, CURLINFO_SIZE_UPLOAD_T, &sent);
    return request_started(easy) && static_cast<std::size_t>(sent) >= body_size;
}

// The message for a transfer that ended before its response's headers were
// complete: no connection or request is 711, a request without a response 712.
std::string_view early_failure_message(CURL* easy, const TransferOutcome& outcome,
                                       std::size_t body_size) {
    switch (outcome.code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_CONNECT:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_URL_MALFORMAT:
            return kSendFailed;
        default:
            return request_fully_sent(easy, body_size) ? kNoResponse : kSendFailed;
    }
}

struct Request {
    std::string verb;
    Bytes body;
    bool has_body = false;  // the body (possibly empty) travels with a Content-Length
    bool head = false;
};

Request make_request(int method, const WebAccessParams& params) {
    Request request;
    request.verb = std::string(method_verb(method));
    request.head = method == kHeadMethod;
    const Bytes body_bytes = params.body_bytes.value_or(Bytes{});
    request.body = !body_bytes.empty() ? body_bytes : params.body_text.value_or(Text{}).str();
    request.has_body =
        !request.head && (!request.body.empty() || method == kPostMethod || method == kPutMethod);
    return request;
}

void set_method(CURL* easy, const Request& request) {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, nullptr);
    if (request.head) {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
        return;
    }
    if (request.has_body) {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body.data());
    }
    if (request.verb != (request.has_body ? "POST" : "GET")) {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
    }
}

// The Windows stack turns a POST into a GET on 301 and 302, and anything but
// HEAD into a GET on 303.
void follow_method_change(int status, Request& request) {
    if ((status == 303 && !request.head) ||
        ((status == 301 || status == 302) && request.verb == "POST")) {
        request.verb = "GET";
        request.body.clear();
        request.has_body = false;
    }
}

bool is_followed_status(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

Text web_access(const Text& url, WebAccessParams& params) {
    const EventsOnExit events_on_exit(params.process_events);
    RegexObject regex;

    const std::optional<UrlParts> first_address = crack_url(url);
    if (!first_address) {
        return fail(params, kBadAddress);
    }
    const int method = params.method.value_or(0);
    const Text header_text =
        build_request_headers(params.extra_headers.value_or(Text{}), params.cookies,
                              {.method = method,
                               .add_default_headers = params.add_default_headers.value_or(true),
                               .normalize_headers = params.normalize_headers.value_or(true)});
    const auto header_lines = transport_header_lines(header_text);
    if (!header_lines) {
        return fail(params, kHeadersRefused);
    }
    Request request = make_request(method, params);

    const TransferControl* control = params.control;
    if (control != nullptr && !control->wait_while_paused()) {
        return fail(params, kSendFailed);
    }

    ensure_curl_started();
    const CurlEasy easy(curl_easy_init());
    const CurlMulti multi(curl_multi_init());
    CurlSlist header_list;
    if (!easy || !multi) {
        return fail(params, kSendFailed);
    }
    for (const auto& line : *header_lines) {
        if (!append_header(header_list, line.c_str())) {
            return fail(params, kHeadersRefused);
        }
    }
    CURL* const handle = easy.get();
    const int timeout_seconds = params.timeout_seconds.value_or(0);
    const std::chrono::milliseconds limit{timeout_seconds > 0 ? timeout_seconds * 1000L : 30000L};

    HopState hop;
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    // A name lookup still running when the transfer ends is left to finish on
    // its own; waiting for it would hold Stop and the time limit.
    curl_easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limit.count()));
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);  // followed below, hop by hop
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, header_list.get());
    curl_easy_setopt(handle, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, on_header);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &hop);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, on_body);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &hop);
    if (!params.cookies.empty()) {
        curl_easy_setopt(handle, CURLOPT_COOKIEFILE, "");  // the transport's own cookie store on
    }
    const Text proxy = params.proxy.value_or(Text{});
    if (proxy.empty()) {
        curl_easy_setopt(handle, CURLOPT_PROXY, "");  // and no proxy from the environment
    } else {
        const std::string proxy_address = "http://" + proxy.str();
        curl_easy_setopt(handle, CURLOPT_PROXY, proxy_address.c_str());
        curl_easy_setopt(handle, CURLOPT_NOPROXY, "");
        const Text proxy_user = params.proxy_user_name.value_or(Text{});
        const Text proxy_password = params.proxy_password.value_or(Text{});
        if (!proxy_user.empty() && !proxy_password.empty()) {
            curl_easy_setopt(handle, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
            curl_easy_setopt(handle, CURLOPT_PROXYUSERNAME, proxy_user.c_str());
            curl_easy_setopt(handle, CURLOPT_PROXYPASSWORD, proxy_password.c_str());
        }
    }
    const Text user = params.user_name.value_or(Text{});
    const Text password = params.password.value_or(Text{});
    const bool server_credentials = !user.empty() && !password.empty();

    UrlParts address = *first_address;
    bool read_failed = false;
    for (int redirects = 0;; ++redirects) {
        const std::string origin = address.origin() + "/";
        const std::string target =
            !proxy.empty() && !address.secure ? address.absolute_form() : address.object_name;
        curl_easy_setopt(handle, CURLOPT_URL, origin.c_str());
        curl_easy_setopt(handle, CURLOPT_REQUEST_TARGET, target.c_str());
        // Credentials go only to the server that was named.
        const bool same_server =
            address.host == first_address->host && address.port == first_address->port;
        if (server_credentials && same_server) {
            curl_easy_setopt(handle, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
            curl_easy_setopt(handle, CURLOPT_USERNAME, user.c_str());
            curl_easy_setopt(handle, CURLOPT_PASSWORD, password.c_str());
        } else {
            curl_easy_setopt(handle, CURLOPT_USERNAME, nullptr);
            curl_easy_setopt(handle, CURLOPT_PASSWORD, nullptr);
        }
        set_method(handle, request);
        hop = HopState{};

        const TransferOutcome outcome = run_transfer(multi.get(), handle, control, limit);
        if (outcome.stopped) {
            return fail(params, hop.headers.complete()
                                    ? kReadFailed
                                    : early_failure_message(handle, {}, request.body.size()));
        }
        if (!outcome.ok()) {
            if (!hop.headers.complete()) {
                return fail(params, early_failure_message(handle, outcome, request.body.size()));
            }
            read_failed = true;  // the bytes read so far come back
            break;
        }
        if (!hop.headers.complete()) {
            return fail(params, kNoResponse);
        }
        const int status = hop.headers.status_code();
        if (params.block_redirects.value_or(false) || !is_followed_status(status)) {
            break;
        }
        std::optional<UrlParts> next = resolve_location(address, hop.headers.location());
        // The Windows stack does not follow from https down to http.
        if (!next || (address.secure && !next->secure)) {
            break;
        }
        if (redirects == kMaxRedirects) {
            return fail(params, kNoResponse);
        }
        follow_method_change(status, request);
        address = std::move(*next);
    }
    if (read_failed) {
        params.status_text = Text(kReadFailed);  // replaced by the status just below
    }

    ResponseOutputs out{.cookies = params.cookies,
                        .cookies_returned = params.cookies_returned,
                        .response_headers = params.response_headers,
                        .redirect_location = params.redirect_location,
                        .status_text = params.status_text,
                        .response_bytes = {}};
    Text result = process_response(hop.headers.block(), std::move(hop.body.bytes()),
                                   params.merge_returned_cookies.value_or(true), out, regex,
                                   params.process_events);
    params.cookies = std::move(out.cookies);
    params.cookies_returned = std::move(out.cookies_returned);
    params.response_headers = std::move(out.response_headers);
    params.redirect_location = std::move(out.redirect_location);
    params.status_text = std::move(out.status_text);
    params.response_bytes = std::move(out.response_bytes);
    return result;
}

Text web_access(const Text& url, const TransferControl* control) {
    WebAccessParams params;
    params.control = control;
    return web_access(url, params);
}

}  // namespace vx
