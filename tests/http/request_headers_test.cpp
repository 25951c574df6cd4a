#include "http/request_headers.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(TransportHeaderLines, KeepsOrderDropsBlanksAndSuppressesTransportDefaults) {
    const auto lines =
        transport_header_lines("X-A: 1\r\n\r\nCookie: a=1\r\nAccept: text/html\r\nX-Empty:\r\n");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines,
              (std::vector<std::string>{"X-A: 1", "Cookie: a=1", "Accept: text/html", "X-Empty;",
                                        "Expect:", "Content-Type:", "Proxy-Connection:"}));
}

TEST(TransportHeaderLines, RefusesLinesThatAreNotHeaders) {
    EXPECT_FALSE(transport_header_lines("X-A: 1\r\nno colon here\r\n"));
    EXPECT_FALSE(transport_header_lines(": no name\r\n"));
    EXPECT_FALSE(transport_header_lines("X-A: 1\rX-B: 2\r\n"));
}

TEST(BuildRequestHeaders, CookieLineIsAppendedAfterNormalising) {
    const Text headers = build_request_headers(
        "x-a: 1", "a=1; b=2",
        {.method = 0, .add_default_headers = false, .normalize_headers = true});
    EXPECT_EQ(headers, Text("X-A: 1\r\nCookie: a=1; b=2\r\n"));
}

}  // namespace
}  // namespace vx
