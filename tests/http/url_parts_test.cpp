#include "http/url_parts.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(CrackUrl, SplitsAddressesLikeTheWindowsParser) {
    struct Case {
        std::string url;
        bool secure;
        std::string host;
        int port;
        std::string object;
    };
    const Case cases[] = {
        {"http://a.example", false, "a.example", 80, "/"},
        {"HTTPS://a.example/x", true, "a.example", 443, "/x"},
        {"http://a.example:8588/m/1.mp3", false, "a.example", 8588, "/m/1.mp3"},
        {"http://a.example?x=1", false, "a.example", 80, "/"},
        {"http://a.example#top", false, "a.example", 80, "/"},
        {"http://a.example/p?x=1#f", false, "a.example", 80, "/p?x=1#f"},
        {"http://user:pw@a.example/p", false, "a.example", 80, "/p"},
        {"http://[::1]:81/p", false, "[::1]", 81, "/p"},
        {"http://a.example/a b", false, "a.example", 80, "/a%20b"},
        {"http://a.example/\xD6\xD0", false, "a.example", 80, "/\xD6\xD0"},
        {"http://a.example:/p", false, "a.example", 80, "/p"},
    };
    for (const auto& c : cases) {
        const auto parts = crack_url(c.url);
        ASSERT_TRUE(parts) << c.url;
        EXPECT_EQ(parts->secure, c.secure) << c.url;
        EXPECT_EQ(parts->host, c.host) << c.url;
        EXPECT_EQ(parts->port, c.port) << c.url;
        EXPECT_EQ(parts->object_name, c.object) << c.url;
    }
}

TEST(CrackUrl, RefusesWhatItCannotParse) {
    for (const std::string url :
         {"", "a.example/x", "ftp://a.example/", "http://", "http:///x", "http://a.example:0/",
          "http://a.example:65536/", "http://a.example:8x/", "http://a b.example/",
          "http://a.example/x\r\nHost: evil", "http://a.example/\x7f"}) {
        EXPECT_FALSE(crack_url(url)) << url;
    }
}

TEST(CrackUrl, ProxyFormLeavesOutTheDefaultPort) {
    EXPECT_EQ(crack_url("http://a.example/p?q")->absolute_form(), "http://a.example/p?q");
    EXPECT_EQ(crack_url("http://a.example:81/p")->absolute_form(), "http://a.example:81/p");
    EXPECT_EQ(crack_url("https://a.example/")->origin(), "https://a.example:443");
}

TEST(ResolveLocation, ResolvesAgainstTheCurrentAddress) {
    const UrlParts base = *crack_url("http://a.example:81/dir/page?x=1");
    struct Case {
        std::string location;
        std::string expected;  // absolute form; empty when not followed
    };
    const Case cases[] = {
        {"http://b.example/n", "http://b.example/n"},
        {"https://b.example/n", "https://b.example/n"},
        {"//c.example/n", "http://c.example/n"},
        {"/root", "http://a.example:81/root"},
        {"next", "http://a.example:81/dir/next"},
        {"?y=2", "http://a.example:81/dir/page?y=2"},
        {"  /trimmed  ", "http://a.example:81/trimmed"},
        {"ftp://b.example/", ""},
        {"javascript:alert(1)", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const auto next = resolve_location(base, c.location);
        EXPECT_EQ(next ? next->absolute_form() : "", c.expected) << c.location;
    }
}

}  // namespace
}  // namespace vx
