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
// The two loops alternate in batches, so that a change in the machine's load
// (it is shared) falls on both alike.
constexpr int kBatch = 100;

size_t keep_body(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

double bare_curl_ms(const std::string& url, int requests = kRequests) {
    const auto start = Clock::now();
    for (int i = 0; i < requests; ++i) {
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

double web_access_ms(const std::string& url, int requests = kRequests) {
    const vx::Text address(url);
    const auto start = Clock::now();
    for (int i = 0; i < requests; ++i) {
        if (vx::web_access(address).size() != 2048) {
            std::fprintf(stderr, "web_access request failed\n");
        }
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs the comparison on one page and prints each round and the best figures.
void compare(const std::string& url, const char* page_kind) {
    web_access_ms(url, kBatch);  // warm up both paths once
    bare_curl_ms(url, kBatch);
    double best_ours = 1e300;
    double best_bare = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        double bare = 0;
        double ours = 0;
        for (int done = 0; done < kRequests; done += kBatch) {
            bare += bare_curl_ms(url, kBatch);
            ours += web_access_ms(url, kBatch);
        }
        std::printf("  round %d: web_access %.0f ms, bare libcurl %.0f ms, ratio %.3f\n", round + 1,
                    ours, bare, ours / bare);
        best_ours = std::min(best_ours, ours);
        best_bare = std::min(best_bare, bare);
    }
    std::printf(
        "%d GETs of a 2 KB page %s: web_access best %.0f ms (%.1f us/request), bare libcurl "
        "best %.0f ms (%.1f us/request); ratio %.3f (goal <= 1.25)\n",
        kRequests, page_kind, best_ours, best_ours * 1000 / kRequests, best_bare,
        best_bare * 1000 / kRequests, best_ours / best_bare);
}

std::string page_of_2k(const std::string& head) {
    std::string page = "<html><head>" + head + "</head><body>";
    page.resize(2048 - 14, 'x');
    return page + "</body></html>";
}

}  // namespace

// With arguments "ours" or "bare", runs that loop alone once (for profiling).
int main(int argc, char** argv) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    httplib::Server server;
    // A page that declares its charset runs the meta-charset pattern; one
    // without a declaration does not need to.
    const std::string declaring = page_of_2k("<meta charset=gbk>");
    const std::string plain = page_of_2k("<title>list</title>");
    server.Get("/declaring", [&declaring](const httplib::Request&, httplib::Response& response) {
        response.set_content(declaring, "text/html");
    });
    server.Get("/plain", [&plain](const httplib::Request&, httplib::Response& response) {
        response.set_content(plain, "text/html");
    });
    const vx::bench::LoopbackServer loopback(server);

    if (argc > 1) {
        const std::string url = loopback.url("/declaring");
        const bool ours = std::string(argv[1]) == "ours";
        std::printf("%s: %.0f ms\n", argv[1], ours ? web_access_ms(url) : bare_curl_ms(url));
        return 0;
    }
    compare(loopback.url("/declaring"), "declaring charset=gbk in a meta tag");
    compare(loopback.url("/plain"), "without a charset declaration");
    curl_global_cleanup();
    return 0;
}
