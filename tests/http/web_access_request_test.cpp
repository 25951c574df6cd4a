// What web_access puts on the wire: the request line, the header text with
// its defaults and cookies, credentials, the body, and the proxy form.

#include <gtest/gtest.h>

#include <string>

#include "http/web_access.h"
#include "tests/http/raw_server.h"

namespace vx {
namespace {

using test::RawConnection;
using test::RawServer;

constexpr std::string_view kUserAgentLine =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n";
constexpr std::string_view kDefaultLines =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
    "Accept: text/html, application/xhtml+xml, */*\r\n"
    "Accept-Encoding: gbk, GB2312\r\n"
    "Accept-Language: zh-cn\r\n"
    "Cache-Control: no-cache\r\n";

// Answers every connection with a small page and records what it was sent.
class RecordingServer : public RawServer {
  public:
    RecordingServer()
        : RawServer([](RawConnection& connection) {
              if (!connection.read_request().empty()) {
                  connection.send(test::http_reply("HTTP/1.1 200 OK", "", "fine"));
              }
          }) {}

    std::string host_line() const { return "Host: 127.0.0.1:" + std::to_string(port()) + "\r\n"; }
};

std::string request_head(const std::string& request) {
    return request.substr(0, request.find("\r\n\r\n") + 4);
}

TEST(WebAccessRequest, DefaultGetSendsExactlyTheDefaultHeaderLines) {
    RecordingServer server;
    WebAccessParams params;
    EXPECT_EQ(web_access(Text(server.url("/list/a b?x=1#top")), params), Text("fine"));
    EXPECT_EQ(params.status_text, Text("200 OK"));
    EXPECT_EQ(server.first_request(), "GET /list/a%20b?x=1#top HTTP/1.1\r\n" + server.host_line() +
                                          std::string(kDefaultLines) + "\r\n");
}

TEST(WebAccessRequest, ObjectNameFollowsTheAddressParser) {
    struct Case {
        std::string path;
        std::string request_line;
    };
    const Case cases[] = {
        {"", "GET / HTTP/1.1"},
        {"?x=1", "GET / HTTP/1.1"},  // no path: the query is dropped
        {"/p?x=1", "GET /p?x=1 HTTP/1.1"},
        {"/a/../b/./c", "GET /a/../b/./c HTTP/1.1"},  // sent as given, not normalised
    };
    for (const auto& c : cases) {
        RecordingServer server;
        WebAccessParams params;
        web_access(Text(server.url(c.path)), params);
        const std::string request = server.first_request();
        EXPECT_EQ(request.substr(0, request.find("\r\n")), c.request_line) << c.path;
    }
}

TEST(WebAccessRequest, MethodNumbersPickTheVerb) {
    const std::pair<int, std::string> cases[] = {
        {0, "GET"},    {1, "POST"},  {2, "HEAD"}, {3, "PUT"},  {4, "OPTIONS"},
        {5, "DELETE"}, {6, "TRACE"}, {8, "GET"},  {-1, "GET"},
    };
    for (const auto& [method, verb] : cases) {
        RecordingServer server;
        WebAccessParams params;
        params.method = method;
        web_access(Text(server.url("/m")), params);
        EXPECT_EQ(server.first_request().substr(0, verb.size() + 4), verb + " /m ") << method;
    }
}

TEST(WebAccessRequest, PostAddsTheFormContentTypeUnlessOneIsGiven) {
    {
        RecordingServer server;
        WebAccessParams params;
        params.method = 1;
        params.body_text = Text("a=1");
        web_access(Text(server.url("/form")), params);
        EXPECT_EQ(server.first_request(), "POST /form HTTP/1.1\r\n" + server.host_line() +
                                              std::string(kUserAgentLine) +
                                              "Accept: text/html, application/xhtml+xml, */*\r\n"
                                              "Accept-Encoding: gbk, GB2312\r\n"
                                              "Accept-Language: zh-cn\r\n"
                                              "Content-Type: application/x-www-form-urlencoded\r\n"
                                              "Cache-Control: no-cache\r\n"
                                              "Content-Length: 3\r\n\r\na=1");
    }
    {
        // The search ignores letter case, so no second Content-Type; the name
        // is normalised.
        RecordingServer server;
        WebAccessParams params;
        params.method = 1;
        params.extra_headers = Text("content-type: text/plain");
        params.body_text = Text("a=1");
        web_access(Text(server.url("/form")), params);
        const std::string head = request_head(server.first_request());
        EXPECT_NE(head.find("\r\nContent-Type: text/plain\r\n"), std::string::npos) << head;
        EXPECT_EQ(head.find("x-www-form-urlencoded"), std::string::npos) << head;
    }
}

TEST(WebAccessRequest, BodyBytesWinOverBodyText) {
    RecordingServer server;
    WebAccessParams params;
    params.method = 1;
    params.body_text = Text("a=1");
    params.body_bytes = Bytes("x\0y", 3);
    web_access(Text(server.url("/b")), params);
    const std::string request = server.first_request();
    EXPECT_EQ(request.substr(request.size() - 3), std::string("x\0y", 3));
    EXPECT_NE(request.find("Content-Length: 3\r\n"), std::string::npos);
}

TEST(WebAccessRequest, ExtraHeadersAreNormalisedAndKeepAliveRemoved) {
    struct Case {
        std::string extra;
        std::string expected_lines;  // what stands before the default lines
        bool add_defaults;
    };
    const Case cases[] = {
        {"x-my-header: 1\r\nreferer: http://a.example/",
         "X-My-Header: 1\r\nReferer: http://a.example/\r\n", true},
        {"Connection: keep-alive\r\nX-A: 1", "X-A: 1\r\n", true},
        {"Connection: close\r\nX-A: 1", "Connection: close\r\nX-A: 1\r\n", true},
        // An Accept line without a space after its colon does not count as one.
        {"Accept:text/plain", "Accept:text/plain\r\n", true},
    };
    for (const auto& c : cases) {
        RecordingServer server;
        WebAccessParams params;
        params.extra_headers = Text(c.extra);
        web_access(Text(server.url("/h")), params);
        const std::string head = request_head(server.first_request());
        const std::string after_host =
            head.substr(head.find(server.host_line()) + server.host_line().size());
        EXPECT_EQ(after_host.substr(0, c.expected_lines.size()), c.expected_lines) << c.extra;
    }
}

TEST(WebAccessRequest, WithoutDefaultsOnlyTheGivenLinesGoOut) {
    RecordingServer server;
    WebAccessParams params;
    params.add_default_headers = false;
    params.normalize_headers = false;
    params.extra_headers = Text("X-Only: 1");
    web_access(Text(server.url("/h")), params);
    EXPECT_EQ(server.first_request(),
              "GET /h HTTP/1.1\r\n" + server.host_line() + "X-Only: 1\r\n\r\n");
}

TEST(WebAccessRequest, CookiesAreSentInTheirThreeForms) {
    struct Case {
        std::string cookies;
        std::string extra;
        std::string expected_cookie_line;
    };
    const Case cases[] = {
        {"a=1; b=2", "", "Cookie: a=1; b=2\r\n"},
        {"Cookie: a=1", "", "Cookie: a=1\r\n"},
        {"a=1", "Cookie: x=9", "Cookie: x=9\r\n"},  // the header text's own line wins
    };
    for (const auto& c : cases) {
        RecordingServer server;
        WebAccessParams params;
        params.cookies = Text(c.cookies);
        if (!c.extra.empty()) {
            params.extra_headers = Text(c.extra);
        }
        web_access(Text(server.url("/c")), params);
        const std::string head = request_head(server.first_request());
        EXPECT_NE(head.find("\r\n" + c.expected_cookie_line), std::string::npos) << head;
        EXPECT_EQ(head.find("Cookie:"), head.rfind("Cookie:")) << "one Cookie line only\n" << head;
    }
}

TEST(WebAccessRequest, BasicCredentialsOnlyWithNameAndPassword) {
    struct Case {
        std::optional<Text> user;
        std::optional<Text> password;
        std::string expected;  // the Authorization line, or empty for none
    };
    const Case cases[] = {
        {Text("ann"), Text("pw"), "Authorization: Basic YW5uOnB3\r\n"},
        {Text("ann"), std::nullopt, ""},
        {std::nullopt, Text("pw"), ""},
        {Text(""), Text("pw"), ""},
    };
    for (const auto& c : cases) {
        RecordingServer server;
        WebAccessParams params;
        params.user_name = c.user;
        params.password = c.password;
        web_access(Text(server.url("/auth")), params);
        const std::string head = request_head(server.first_request());
        if (c.expected.empty()) {
            EXPECT_EQ(head.find("Authorization"), std::string::npos) << head;
        } else {
            EXPECT_NE(head.find("\r\n" + c.expected), std::string::npos) << head;
        }
    }
}

TEST(WebAccessRequest, ProxyReceivesTheAbsoluteFormWithItsCredentials) {
    RecordingServer proxy;
    WebAccessParams params;
    params.proxy = Text("127.0.0.1:" + std::to_string(proxy.port()));
    params.proxy_user_name = Text("pu");
    params.proxy_password = Text("pp");
    params.user_name = Text("ann");
    params.password = Text("pw");
    EXPECT_EQ(web_access(Text("http://catalogue.example/list?p=2"), params), Text("fine"));
    const std::string head = request_head(proxy.first_request());
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET http://catalogue.example/list?p=2 HTTP/1.1");
    EXPECT_NE(head.find("\r\nHost: catalogue.example\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nProxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nAuthorization: Basic YW5uOnB3\r\n"), std::string::npos) << head;
    EXPECT_EQ(head.find("Proxy-Connection"), std::string::npos) << head;
}

TEST(WebAccessRequest, SecureRequestTunnelsThroughTheProxy) {
    RawServer proxy([](RawConnection& connection) {
        if (!connection.read_request().empty()) {
            connection.send(test::http_reply("HTTP/1.1 403 Forbidden", "", ""));
        }
    });
    WebAccessParams params;
    params.proxy = Text("127.0.0.1:" + std::to_string(proxy.port()));
    params.proxy_user_name = Text("pu");
    params.proxy_password = Text("pp");
    EXPECT_EQ(web_access(Text("https://catalogue.example/list"), params), Text());
    // The tunnel was refused, so nothing was sent to the server.
    EXPECT_EQ(params.status_text, Text("711 \xB7\xA2\xCB\xCD\xC7\xEB\xC7\xF3\xCA\xA7\xB0\xDC!"));
    const std::string head = request_head(proxy.first_request());
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "CONNECT catalogue.example:443 HTTP/1.1");
    EXPECT_NE(head.find("\r\nProxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos) << head;
}

}  // namespace
}  // namespace vx
