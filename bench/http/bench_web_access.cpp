// 2,000 sequential GETs of a 2 KB page on loopback: web_access against a bare
// libcurl loop that makes the same requests with a fresh easy handle each.
// Goal: web_access at most 1.25 times the bare loop's time.

#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/http/loopback_server.h"
#include "http/web_access.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRequests = 2000;
constexpr int kRounds = 5;

size_t keep_body(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

double bare_curl_ms(const std::string& url) {
    const auto start = Clock::now();
    for (int i = 0; i < kRequests; ++i) {
        std::string body;
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, keep_body);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
        if (curl_easy_perform(easy) != CURLE_OK || body.size() != 2048) {
            std::fprintf(stderr, "bare request failed\n");
        }
        curl_easy_cleanup(easy);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double web_access_ms(const std::string& url) {
    const vx::Text address(url);
    const auto start = Clock::now();
    for (int i = 0; i < kRequests; ++i) {
        if (vx::web_access(address).size() != 2048) {
            std::fprintf(stderr, "web_access request failed\n");
        }
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

// With an argument "ours" or "bare", runs that loop alone once (for profiling).
int main(int argc, char** argv) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    httplib::Server server;
    std::string page = "<html><head><meta charset=gbk></head><body>";
    page.resize(2048 - 14, 'x');
    page += "</body></html>";
    server.Get("/page", [&page](const httplib::Request&, httplib::Response& response) {
        response.set_content(page, "text/html");
    });
    const vx::bench::LoopbackServer loopback(server);
    const std::string url = loopback.url("/page");

    if (argc > 1) {
        const bool ours = std::string(argv[1]) == "ours";
        std::printf("%s: %.0f ms\n", argv[1], ours ? web_access_ms(url) : bare_curl_ms(url));
        return 0;
    }
    web_access_ms(url);  // warm up both paths once
    bare_curl_ms(url);
    double best_ours = 1e300;
    double best_bare = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        const double bare = bare_curl_ms(url);
        const double ours = web_access_ms(url);
        std::printf("round %d: web_access %.0f ms, bare libcurl %.0f ms, ratio %.3f\n", round + 1,
                    ours, bare, ours / bare);
        best_ours = std::min(best_ours, ours);
        best_bare = std::min(best_bare, bare);
    }
    std::printf(
        "%d GETs of a 2 KB page: web_access best %.0f ms (%.1f us/request), bare libcurl best "
        "%.0f ms (%.1f us/request); ratio %.3f (goal <= 1.25)\n",
        kRequests, best_ours, best_ours * 1000 / kRequests, best_bare, best_bare * 1000 / kRequests,
        best_ours / best_bare);
    curl_global_cleanup();
    return 0;
}
