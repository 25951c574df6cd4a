// Pause holds a transfer still and Stop ends it promptly, for web_access and
// for the plain file fetch.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <netdb.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "http/file_fetch.h"
#include "http/web_access.h"
#include "tests/http/raw_server.h"

// Lookups of this one name hang, as with a name server that does not answer;
// every other name goes to the C library.
constexpr std::string_view kSlowLookupHost = "slow-lookup.test";

extern "C" int getaddrinfo(const char* name, const char* service, const addrinfo* hints,
                           addrinfo** result) {
    if (name != nullptr && std::string_view(name) == kSlowLookupHost) {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        return EAI_AGAIN;
    }
    using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto real = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "getaddrinfo"));
    return real(name, service, hints, result);
}

namespace vx {
namespace {

using namespace std::chrono_literals;
using test::RawConnection;
using test::RawServer;

const Text kMessage711("711 \xB7\xA2\xCB\xCD\xC7\xEB\xC7\xF3\xCA\xA7\xB0\xDC!");
const Text kMessage712("712 \xB7\xFE\xCE\xF1\xC6\xF7\xCE\xB4\xCF\xEC\xD3\xA6!");
const Text kMessage713("713 \xB6\xC1\xC8\xA1\xCA\xFD\xBE\xDD\xCA\xA7\xB0\xDC!");

// Sanitizer builds run several times slower; the bound there only guards
// against a hang.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer)
constexpr auto kStopBound = 600ms;
#else
constexpr auto kStopBound = 200ms;
#endif
#else
constexpr auto kStopBound = 200ms;
#endif

constexpr std::size_t kStreamBytes = 32u << 20;

// Streams a large body, a block each millisecond, so that a test can act mid-body.
void stream_body(RawConnection& connection) {
    if (connection.read_request().empty()) {
        return;
    }
    if (!connection.send("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(kStreamBytes) +
                         "\r\n\r\n")) {
        return;
    }
    const std::string block(64 * 1024, 'm');
    for (std::size_t sent = 0; sent < kStreamBytes; sent += block.size()) {
        if (!connection.send(block)) {
            return;
        }
        std::this_thread::sleep_for(1ms);
    }
}

template <typename Predicate>
bool wait_until(Predicate predicate, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (predicate()) {
            return true;
        }
        std::this_thread::sleep_for(5ms);
    }
    return predicate();
}

// Waits until what was already in socket buffers has drained: the count
// has not moved for 300 ms. Returns it.
template <typename Count>
std::size_t settled_count(Count count) {
    std::size_t last = count();
    for (int i = 0; i < 50; ++i) {
        std::this_thread::sleep_for(300ms);
        const std::size_t now = count();
        if (now == last) {
            break;
        }
        last = now;
    }
    return last;
}

std::filesystem::path fresh_folder(const std::string& name) {
    auto folder = std::filesystem::temp_directory_path() /
                  ("vx-pause-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

TEST(TransferPause, NothingIsSentWhilePausedBeforeTheRequest) {
    RawServer server([](RawConnection& connection) {
        if (!connection.read_request().empty()) {
            connection.send(test::http_reply("HTTP/1.1 200 OK", "", "late"));
        }
    });
    TransferControl control;
    control.pause();
    auto call =
        std::async(std::launch::async, [&] { return web_access(Text(server.url("/")), &control); });
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(server.connections(), 0);
    control.resume();
    EXPECT_EQ(call.get(), Text("late"));
    EXPECT_EQ(server.connections(), 1);
}

// Answers "/old" with a redirect to "/new", pausing `control` just before it
// sends the redirect: the Pause arrives while the call waits for the answer
// that would wake it. Counts the requests it receives.
std::unique_ptr<RawServer> redirect_that_pauses(TransferControl& control,
                                                std::atomic<int>& requests,
                                                const std::string& final_body) {
    return std::make_unique<RawServer>([&control, &requests,
                                        final_body](RawConnection& connection) {
        for (;;) {
            const std::string request = connection.read_request();
            if (request.empty()) {
                return;
            }
            ++requests;
            if (request.starts_with("GET /old ")) {
                std::this_thread::sleep_for(30ms);
                control.pause();
                connection.send(test::http_reply("HTTP/1.1 302 Found", "Location: /new\r\n", ""));
            } else {
                connection.send(test::http_reply("HTTP/1.1 200 OK", "", final_body));
            }
        }
    });
}

TEST(TransferPause, RedirectIsNotFollowedWhilePaused) {
    TransferControl control;
    std::atomic<int> requests{0};
    const auto server = redirect_that_pauses(control, requests, "arrived");
    auto call = std::async(std::launch::async,
                           [&] { return web_access(Text(server->url("/old")), &control); });
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(requests.load(), 1);
    control.resume();
    EXPECT_EQ(call.get(), Text("arrived"));
    EXPECT_EQ(requests.load(), 2);
}

TEST(TransferPause, FileFetchFollowsNoRedirectWhilePaused) {
    TransferControl control;
    std::atomic<int> requests{0};
    const auto server = redirect_that_pauses(control, requests, "the track");
    const auto folder = fresh_folder("redirect");
    auto fetch = std::async(std::launch::async, [&] {
        return fetch_to_file(server->url("/old"), folder / "t.mp3", &control);
    });
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(requests.load(), 1);
    control.resume();
    const FileFetchResult result = fetch.get();
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(requests.load(), 2);
    std::filesystem::remove_all(folder);
}

TEST(TransferPause, PausedUploadSendsNothingNewUntilResumed) {
    const std::size_t body_size = 16u << 20;
    std::atomic<bool> slow{true};  // until the pause has been watched
    RawServer server([&slow](RawConnection& connection) {
        connection.read_request([&slow] { return slow.load(); });
        connection.send(test::http_reply("HTTP/1.1 200 OK", "", "stored"));
    });
    TransferControl control;
    WebAccessParams params;
    params.method = 1;
    params.body_bytes = Bytes(body_size, 'u');
    params.control = &control;
    params.timeout_seconds = 1;  // paused time must not count as idle time
    auto call =
        std::async(std::launch::async, [&] { return web_access(Text(server.url("/up")), params); });

    ASSERT_TRUE(wait_until([&] { return server.bytes_received() > 1024 * 1024; }, 5s));
    control.pause();
    const std::size_t held_at = settled_count([&] { return server.bytes_received(); });
    std::this_thread::sleep_for(1200ms);  // longer than the idle limit
    EXPECT_EQ(server.bytes_received(), held_at);
    EXPECT_LT(held_at, body_size);
    slow = false;
    control.resume();
    EXPECT_EQ(call.get(), Text("stored"));
    EXPECT_EQ(params.status_text, Text("200 OK"));
}

TEST(TransferPause, PausedDownloadTakesNothingNewUntilResumed) {
    RawServer server(stream_body);
    const auto folder = fresh_folder("download");
    TransferControl control;
    auto fetch = std::async(std::launch::async, [&] {
        return fetch_to_file(server.url("/big.mp3"), folder / "big.mp3", &control);
    });
    ASSERT_TRUE(wait_until([&] { return server.bytes_sent() > 4u << 20; }, 5s));
    control.pause();
    const std::size_t held_at = settled_count([&] { return server.bytes_sent(); });
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(server.bytes_sent(), held_at);
    EXPECT_LT(held_at, kStreamBytes);
    control.resume();
    const FileFetchResult result = fetch.get();
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(std::filesystem::file_size(folder / "big.mp3"), kStreamBytes);
    std::filesystem::remove_all(folder);
}

// Stop is checked in each phase: waiting for a response, and mid-body.
TEST(TransferStop, EndsAWebAccessCallPromptlyWithThePhaseMessage) {
    struct Case {
        std::string name;
        RawServer::Script script;
        Text message;
    };
    const Case cases[] = {
        {"waiting for the response", [](RawConnection& connection) { connection.wait_for_close(); },
         kMessage712},
        {"reading the body",
         [](RawConnection& connection) {
             if (!connection.read_request().empty()) {
                 connection.send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\npartial");
                 connection.wait_for_close();
             }
         },
         kMessage713},
    };
    for (const auto& c : cases) {
        RawServer server(c.script);
        TransferControl control;
        WebAccessParams params;
        params.control = &control;
        params.response_bytes = Bytes("untouched");
        std::chrono::steady_clock::time_point returned;
        auto call = std::async(std::launch::async, [&] {
            Text result = web_access(Text(server.url("/")), params);
            returned = std::chrono::steady_clock::now();
            return result;
        });
        ASSERT_TRUE(wait_until([&] { return server.bytes_received() > 0; }, 2s)) << c.name;
        std::this_thread::sleep_for(150ms);
        const auto stopped_at = std::chrono::steady_clock::now();
        control.stop();
        EXPECT_EQ(call.get(), Text()) << c.name;
        EXPECT_LT(returned - stopped_at, kStopBound) << c.name;
        EXPECT_EQ(params.status_text, c.message) << c.name;
        EXPECT_EQ(params.response_bytes, Bytes("untouched")) << c.name;
    }
}

// A name lookup that hangs holds neither Stop nor the time limit.
TEST(TransferStop, EndsACallWhoseNameLookupHangs) {
    const std::string url = "http://" + std::string(kSlowLookupHost) + "/";
    {
        TransferControl control;
        WebAccessParams params;
        params.control = &control;
        auto call = std::async(std::launch::async, [&] { return web_access(Text(url), params); });
        std::this_thread::sleep_for(200ms);
        const auto stopped_at = std::chrono::steady_clock::now();
        control.stop();
        EXPECT_EQ(call.get(), Text());
        EXPECT_LT(std::chrono::steady_clock::now() - stopped_at, kStopBound);
        EXPECT_EQ(params.status_text, kMessage711);
    }
    {
        WebAccessParams params;
        params.timeout_seconds = 1;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(web_access(Text(url), params), Text());
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_EQ(params.status_text, kMessage711);
    }
    {
        const auto folder = fresh_folder("lookup");
        TransferControl control;
        auto fetch = std::async(std::launch::async,
                                [&] { return fetch_to_file(url, folder / "t.mp3", &control); });
        std::this_thread::sleep_for(200ms);
        const auto stopped_at = std::chrono::steady_clock::now();
        control.stop();
        EXPECT_FALSE(fetch.get().ok);
        EXPECT_LT(std::chrono::steady_clock::now() - stopped_at, kStopBound);
        EXPECT_TRUE(std::filesystem::is_empty(folder));
        std::filesystem::remove_all(folder);
    }
}

TEST(TransferStop, StopWhilePausedBeforeSendingIsASendFailure) {
    TransferControl control;
    control.pause();
    control.stop();
    WebAccessParams params;
    params.control = &control;
    EXPECT_EQ(web_access(Text("http://127.0.0.1:9/"), params), Text());
    EXPECT_EQ(params.status_text, kMessage711);
}

TEST(TransferStop, EndsAFileFetchPromptlyAndLeavesNoFile) {
    RawServer server(stream_body);
    const auto folder = fresh_folder("stop");
    TransferControl control;
    std::chrono::steady_clock::time_point returned;
    auto fetch = std::async(std::launch::async, [&] {
        FileFetchResult result =
            fetch_to_file(server.url("/big.mp3"), folder / "big.mp3", &control);
        returned = std::chrono::steady_clock::now();
        return result;
    });
    ASSERT_TRUE(wait_until([&] { return server.bytes_sent() > 1u << 20; }, 5s));
    const auto stopped_at = std::chrono::steady_clock::now();
    control.stop();
    const FileFetchResult result = fetch.get();
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_LT(returned - stopped_at, kStopBound);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vx
