// What web_access makes of responses: status, body, header block, cookies,
// redirects, charset decoding, and the numbered failures.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "http/web_access.h"
#include "tests/http/lib_server.h"
#include "tests/http/raw_server.h"

namespace vx {
namespace {

using test::LibServer;
using test::RawConnection;
using test::RawServer;

// "712 服务器未响应!" and the others, as the program stores them.
const Text kMessage701("701 \xBD\xE2\xCE\xF6URL\xB5\xD8\xD6\xB7\xCA\xA7\xB0\xDC!");
const Text kMessage711("711 \xB7\xA2\xCB\xCD\xC7\xEB\xC7\xF3\xCA\xA7\xB0\xDC!");
const Text kMessage712("712 \xB7\xFE\xCE\xF1\xC6\xF7\xCE\xB4\xCF\xEC\xD3\xA6!");

// A server that answers each connection with `reply` after reading the request.
RawServer::Script reply_with(std::string reply) {
    return [reply = std::move(reply)](RawConnection& connection) {
        if (!connection.read_request().empty()) {
            connection.send(reply);
        }
    };
}

// Output members preset so that a test can see which ones a call wrote.
WebAccessParams preset_params() {
    WebAccessParams params;
    params.response_headers = Text("old headers");
    params.redirect_location = Text("old location");
    params.status_text = Text("old status");
    params.response_bytes = Bytes("old bytes");
    params.cookies_returned = Text("old=1");
    return params;
}

void expect_failure_wrote_only_status(const WebAccessParams& params, const Text& message) {
    EXPECT_EQ(params.status_text, message);
    EXPECT_EQ(params.response_headers, Text("old headers"));
    EXPECT_EQ(params.redirect_location, Text("old location"));
    EXPECT_EQ(params.response_bytes, Bytes("old bytes"));
    EXPECT_EQ(params.cookies_returned, Text("old=1"));
}

int unused_port() {
    RawServer server([](RawConnection&) {});
    return server.port();  // closed again when the server goes
}

TEST(WebAccessResponse, StatusBodyAndHeaderBlockOfOrdinaryResponses) {
    LibServer server;
    server.server().Get("/ok", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<p>hello</p>", "text/html");
    });
    server.server().Get("/missing", [](const httplib::Request&, httplib::Response& response) {
        response.status = 404;
        response.set_content("no such page", "text/plain");
    });
    server.start();

    WebAccessParams ok;
    EXPECT_EQ(web_access(Text(server.url("/ok")), ok), Text("<p>hello</p>"));
    EXPECT_EQ(ok.status_text, Text("200 OK"));
    EXPECT_EQ(ok.response_bytes, Bytes("<p>hello</p>"));
    EXPECT_TRUE(ok.response_headers.view().starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_TRUE(ok.response_headers.view().ends_with("\r\n"));
    EXPECT_FALSE(ok.response_headers.view().ends_with("\r\n\r\n"));  // no blank line

    WebAccessParams missing;
    EXPECT_EQ(web_access(Text(server.url("/missing")), missing), Text("no such page"));
    EXPECT_EQ(missing.status_text, Text("404 Not Found"));
}

TEST(WebAccessResponse, HeadGivesHeadersAndNoText) {
    RawServer server(reply_with("HTTP/1.1 200 OK\r\nContent-Length: 50\r\nX-Kind: page\r\n\r\n"));
    WebAccessParams params;
    params.method = 2;
    EXPECT_EQ(web_access(Text(server.url("/h")), params), Text());
    EXPECT_EQ(params.status_text, Text("200 OK"));
    EXPECT_EQ(params.response_headers,
              Text("HTTP/1.1 200 OK\r\nContent-Length: 50\r\nX-Kind: page\r\n"));
    EXPECT_TRUE(params.response_bytes.empty());
}

TEST(WebAccessResponse, SetCookieLinesAreCollectedWithTheirCaseRules) {
    RawServer server(reply_with(test::http_reply("HTTP/1.1 200 OK",
                                                 "Set-Cookie: sid=abc; path=/\r\n"
                                                 "set-cookie: x=1\r\n"
                                                 "Set-Cookie: lang=cn\r\n",
                                                 "body")));
    WebAccessParams params;
    web_access(Text(server.url("/")), params);
    EXPECT_EQ(params.cookies_returned, Text("sid=abc; lang=cn"));
    EXPECT_EQ(params.cookies, Text());
}

TEST(WebAccessResponse, ReturnedCookiesMergeIntoSentOnesUnlessSwitchedOff) {
    const std::string reply = test::http_reply("HTTP/1.1 200 OK", "Set-Cookie: b=2\r\n", "x");
    {
        RawServer server(reply_with(reply));
        WebAccessParams params;
        params.cookies = Text("a=1");
        web_access(Text(server.url("/")), params);
        EXPECT_EQ(params.cookies_returned, Text("b=2; a=1"));
        EXPECT_EQ(params.cookies, Text("b=2; a=1"));
    }
    {
        RawServer server(reply_with(reply));
        WebAccessParams params;
        params.cookies = Text("a=1");
        params.merge_returned_cookies = false;
        web_access(Text(server.url("/")), params);
        EXPECT_EQ(params.cookies_returned, Text("b=2"));
        EXPECT_EQ(params.cookies, Text("a=1"));
    }
}

TEST(WebAccessResponse, BlockedRedirectGivesTheLocation) {
    for (const std::string name : {"Location", "LOCATION"}) {
        RawServer server(
            reply_with(test::http_reply("HTTP/1.1 302 Found", name + ": /next\r\n", "moved")));
        WebAccessParams params;
        params.block_redirects = true;
        EXPECT_EQ(web_access(Text(server.url("/")), params), Text("moved"));
        EXPECT_EQ(params.redirect_location, Text("/next"));
        EXPECT_EQ(params.status_text, Text("302 Found"));
        EXPECT_EQ(server.connections(), 1);
    }
}

TEST(WebAccessResponse, RedirectChainIsFollowedAndOnlyTheFinalHeadersKept) {
    LibServer server;
    server.server().Get("/one", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Hop", "one");
        response.set_redirect("/two");
    });
    server.server().Post("/two", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("wrong method", "text/plain");
    });
    server.server().Get("/two", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Hop", "two");
        response.set_redirect("three?q=1", 303);
    });
    server.server().Get("/three", [](const httplib::Request& request, httplib::Response& response) {
        response.set_header("X-Hop", "three");
        response.set_content("arrived " + request.get_param_value("q"), "text/plain");
    });
    server.start();

    WebAccessParams params;
    EXPECT_EQ(web_access(Text(server.url("/one")), params), Text("arrived 1"));
    EXPECT_EQ(params.status_text, Text("200 OK"));
    const std::string headers = params.response_headers.str();
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 200 OK\r\n")) << headers;
    EXPECT_NE(headers.find("X-Hop: three\r\n"), std::string::npos) << headers;
    EXPECT_EQ(headers.find("one"), std::string::npos) << headers;
    EXPECT_EQ(headers.find("Location"), std::string::npos) << headers;
    EXPECT_EQ(server.wait_seen(3), 3u);
}

TEST(WebAccessResponse, TransportCookieStoreIsOnOnlyWhenCookiesAreGiven) {
    // A cookie set on the way through a redirect reaches the next hop only
    // through the transport's own store.
    for (const std::string sent : {"", "a=1"}) {
        LibServer server;
        server.server().Get("/set", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Set-Cookie", "s=9; path=/");
            response.set_redirect("/check");
        });
        server.server().Get(
            "/check", [](const httplib::Request& request, httplib::Response& response) {
                response.set_content(request.get_header_value("Cookie"), "text/plain");
            });
        server.start();
        WebAccessParams params;
        params.cookies = Text(sent);
        const Text seen_cookie = web_access(Text(server.url("/set")), params);
        EXPECT_EQ(seen_cookie.view().find("s=9") != std::string_view::npos, !sent.empty())
            << "cookies \"" << sent << "\" -> " << seen_cookie.str();
    }
}

TEST(WebAccessResponse, HttpsIgnoresCertificateErrors) {
    LibServer server(test::Transport::tls);
    server.server().Get("/secure",
                        [](const httplib::Request& request, httplib::Response& response) {
                            response.set_content("secret " + request.target, "text/plain");
                        });
    server.start();
    WebAccessParams params;
    EXPECT_EQ(web_access(Text(server.url("/secure?x=1")), params), Text("secret /secure?x=1"));
    EXPECT_EQ(params.status_text, Text("200 OK"));
}

TEST(WebAccessResponse, RedirectLoopEndsAsNoResponse) {
    LibServer server;
    server.server().Get("/loop", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/loop");
    });
    server.start();
    WebAccessParams params = preset_params();
    EXPECT_EQ(web_access(Text(server.url("/loop")), params), Text());
    expect_failure_wrote_only_status(params, kMessage712);
    // The first request and ten followed redirects.
    EXPECT_EQ(server.wait_seen(11), 11u);
}

TEST(WebAccessResponse, BodyIsDecodedByItsMetaCharset) {
    // "中文" in UTF-8 and in code page 936.
    const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87";
    const std::string cp936 = "\xD6\xD0\xCE\xC4";
    const std::string padding(1100, ' ');
    struct Case {
        std::string name;
        std::string page;
        std::string expected;
    };
    const Case cases[] = {
        {"utf-8 in quotes",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=\"utf-8\">" + utf8,
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=\"utf-8\">" + cp936},
        {"upper-case GB2312 goes through the converter",
         "<META content=\"text/html; charset=GB2312\">" + cp936,
         "<META content=\"text/html; charset=GB2312\">" + cp936},
        {"gb2312 is taken as it is", "<meta charset=gb2312>" + cp936 + "\xFF",
         "<meta charset=gb2312>" + cp936 + "\xFF"},
        {"gbk is taken as it is", "<meta charset=gbk>\xFF\xFE", "<meta charset=gbk>\xFF\xFE"},
        {"an unknown charset leaves the body", "<meta charset=no-such-set>" + utf8,
         "<meta charset=no-such-set>" + utf8},
        {"a charset after byte 1024 is not seen", padding + "<meta charset=utf-8>" + utf8,
         padding + "<meta charset=utf-8>" + utf8},
        {"charset on a later line than <meta", "<meta\ncharset=utf-8>" + utf8,
         "<meta\ncharset=utf-8>" + utf8},
    };
    for (const auto& c : cases) {
        RawServer server(
            reply_with(test::http_reply("HTTP/1.1 200 OK", "Content-Type: text/html\r\n", c.page)));
        WebAccessParams params;
        EXPECT_EQ(web_access(Text(server.url("/")), params), Text(c.expected)) << c.name;
        EXPECT_EQ(params.response_bytes, c.page) << c.name;
    }
}

TEST(WebAccessResponse, TextStopsAtAZeroByteWhileTheBytesKeepEverything) {
    const std::string body("before\0after", 12);
    RawServer server(reply_with(test::http_reply("HTTP/1.1 200 OK", "", body)));
    WebAccessParams params;
    EXPECT_EQ(web_access(Text(server.url("/")), params), Text("before"));
    EXPECT_EQ(params.response_bytes, body);
}

TEST(WebAccessResponse, ChunkedBodyIsJoined) {
    LibServer server;
    server.server().Get("/chunks", [](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider(
            "text/plain", [](size_t offset, httplib::DataSink& sink) {
                if (offset < 3000) {
                    const std::string piece(1000, static_cast<char>('a' + offset / 1000));
                    sink.write(piece.data(), piece.size());
                } else {
                    sink.done();
                }
                return true;
            });
    });
    server.start();
    WebAccessParams params;
    const Text text = web_access(Text(server.url("/chunks")), params);
    EXPECT_EQ(text, Text(std::string(1000, 'a') + std::string(1000, 'b') + std::string(1000, 'c')));
    EXPECT_NE(params.response_headers.str().find("Transfer-Encoding: chunked\r\n"),
              std::string::npos);
}

TEST(WebAccessResponse, CutOffBodyComesBackWithTheStatus) {
    RawServer server([](RawConnection& connection) {
        if (!connection.read_request().empty()) {
            connection.send("HTTP/1.1 200 OK\r\nContent-Length: 2000\r\n\r\n" +
                            std::string(500, 'x'));
        }
    });
    WebAccessParams params;
    EXPECT_EQ(web_access(Text(server.url("/")), params), Text(std::string(500, 'x')));
    EXPECT_EQ(params.status_text, Text("200 OK"));
    EXPECT_EQ(params.response_bytes.size(), 500u);
}

TEST(WebAccessResponse, SilentServerTimesOutWithNoResponse) {
    RawServer server([](RawConnection& connection) { connection.wait_for_close(); });
    WebAccessParams params = preset_params();
    params.timeout_seconds = 1;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(web_access(Text(server.url("/")), params), Text());
    const auto took = std::chrono::steady_clock::now() - start;
    expect_failure_wrote_only_status(params, kMessage712);
    EXPECT_GE(took, std::chrono::milliseconds(900));
    EXPECT_LT(took, std::chrono::milliseconds(2500));
}

TEST(WebAccessResponse, FailuresBeforeAResponseWriteOnlyTheStatus) {
    struct Case {
        std::string name;
        std::string url;
        Text message;
    };
    const Case cases[] = {
        {"empty address", "", kMessage701},
        {"another scheme", "ftp://127.0.0.1/x", kMessage701},
        {"bad port", "http://127.0.0.1:99999/", kMessage701},
        {"line break in the address", "http://127.0.0.1/a\r\nX-Injected: 1", kMessage701},
        {"connection refused", "http://127.0.0.1:" + std::to_string(unused_port()) + "/",
         kMessage711},
        {"unresolvable host", "http://no-such-host.invalid/", kMessage711},
    };
    for (const auto& c : cases) {
        WebAccessParams params = preset_params();
        params.timeout_seconds = 2;
        EXPECT_EQ(web_access(Text(c.url), params), Text()) << c.name;
        expect_failure_wrote_only_status(params, c.message);
    }
}

TEST(WebAccessResponse, StatusLineThatIsNotHttp1IsNoResponse) {
    for (const std::string reply : {"ICY 200 OK\r\n\r\nnoise", "garbage without a status line"}) {
        RawServer server(reply_with(reply));
        WebAccessParams params = preset_params();
        params.timeout_seconds = 2;
        EXPECT_EQ(web_access(Text(server.url("/")), params), Text()) << reply;
        expect_failure_wrote_only_status(params, kMessage712);
    }
}

TEST(WebAccessResponse, LargeHeaderBlockComesBackWhole) {
    std::string lines;
    for (int i = 0; lines.size() < 100 * 1024; ++i) {
        lines += "X-Filler-" + std::to_string(i) + ": " + std::string(100, 'f') + "\r\n";
    }
    RawServer server(reply_with(test::http_reply("HTTP/1.1 200 OK", lines, "end")));
    WebAccessParams params;
    EXPECT_EQ(web_access(Text(server.url("/")), params), Text("end"));
    EXPECT_EQ(params.response_headers.str(),
              "HTTP/1.1 200 OK\r\n" + lines + "Content-Length: 3\r\n");
}

TEST(WebAccessResponse, ProcessEventsRunsWhenSupplied) {
    RawServer server(reply_with(test::http_reply("HTTP/1.1 200 OK", "X-A: 1\r\n", "x")));
    WebAccessParams params;
    int runs = 0;
    params.process_events = [&runs] { ++runs; };
    web_access(Text(server.url("/")), params);
    // After each of the three header lines, twice in the charset step (the
    // pattern ran, though nothing matched), and on the way out.
    EXPECT_EQ(runs, 6);
}

}  // namespace
}  // namespace vx
