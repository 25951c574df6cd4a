#include "http/response_parts.h"

#include <gtest/gtest.h>

#include "text/regex_object.h"

namespace vx {
namespace {

HeaderBlockCollector collect(std::initializer_list<std::string_view> lines) {
    HeaderBlockCollector collector;
    for (const auto line : lines) {
        collector.add_line(line);
    }
    return collector;
}

TEST(HeaderBlockCollector, KeepsTheFinalResponseLinesWithCrLf) {
    const auto block =
        collect({"HTTP/1.1 100 Continue\r\n", "\r\n", "HTTP/1.1 200 OK\r\n", "X-Bare-Lf: 1\n",
                 "Location:  /next \r\n", "\r\n", "X-Trailer: after the body\r\n"});
    EXPECT_TRUE(block.complete());
    EXPECT_EQ(block.status_code(), 200);
    EXPECT_EQ(block.block(), "HTTP/1.1 200 OK\r\nX-Bare-Lf: 1\r\nLocation:  /next \r\n");
    EXPECT_EQ(block.location(), "/next");
}

TEST(HeaderBlockCollector, InterimOrUnfinishedBlocksAreNotComplete) {
    EXPECT_FALSE(collect({"HTTP/1.1 100 Continue\r\n", "\r\n"}).complete());
    EXPECT_FALSE(collect({"HTTP/1.1 200 OK\r\n", "X: 1\r\n"}).complete());
    EXPECT_EQ(collect({"ICY 200 OK\r\n", "\r\n"}).status_code(), 0);
}

TEST(StatusFromHeaderBlock, CutsFromTheTenthByteToTheLineEnd) {
    EXPECT_EQ(status_from_header_block("HTTP/1.1 404 Not Found\r\nX: 1\r\n"),
              Text("404 Not Found"));
    EXPECT_EQ(status_from_header_block("HTTP/1.1 200\r\n"), Text("200"));
    EXPECT_EQ(status_from_header_block("HTTP/1.1 200 OK"), Text());
    EXPECT_EQ(status_from_header_block("HTTP/1.1\r\n"), Text());
}

TEST(BodySink, RefusesPastItsLimitKeepingWhatFits) {
    BodySink sink(10);
    EXPECT_TRUE(sink.append("123456"));
    EXPECT_FALSE(sink.overflowed());
    EXPECT_FALSE(sink.append("789abc"));
    EXPECT_TRUE(sink.overflowed());
    EXPECT_EQ(sink.bytes(), "123456789a");
    EXPECT_FALSE(sink.append("x"));
    EXPECT_EQ(sink.bytes().size(), 10u);
}

TEST(DecodeBody, LooksForTheCharsetOnlyWhereThePatternCanMatch) {
    struct Case {
        std::string body;
        bool may_declare;
        std::string expected;
    };
    // "中" in UTF-8 and in code page 936.
    const Case cases[] = {
        {"<META HTTP-EQUIV=x CONTENT=\"text/html; CHARSET=UTF-8\">\xE4\xB8\xAD", true,
         "<META HTTP-EQUIV=x CONTENT=\"text/html; CHARSET=UTF-8\">\xD6\xD0"},
        {"<html>charset=utf-8 <meta>\xE4\xB8\xAD", false, "<html>charset=utf-8 <meta>\xE4\xB8\xAD"},
        {"<p>no declaration</p>", false, "<p>no declaration</p>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(may_declare_charset(c.body), c.may_declare) << c.body;
        RegexObject regex;
        int events = 0;
        EXPECT_EQ(decode_body(c.body, regex, [&events] { ++events; }), Text(c.expected)) << c.body;
        EXPECT_EQ(events, 2) << c.body;  // as when the engine runs
    }
}

TEST(ProcessResponse, FillsOutputsFromHeaderBlockAndBody) {
    RegexObject regex;
    ResponseOutputs out;
    out.cookies_returned = Text("old=0");
    const Text result = process_response(
        "HTTP/1.1 302 Found\r\nSet-Cookie: sid=abc; path=/\r\nSet-Cookie:  lang=cn \r\n"
        "Location: /a\r\nlocation: /b\r\n",
        Bytes("moved\0tail", 10), true, out, regex, {});
    EXPECT_EQ(result, Text("moved"));
    EXPECT_EQ(out.status_text, Text("302 Found"));
    EXPECT_EQ(out.cookies_returned, Text("old=0sid=abc; lang=cn"));
    EXPECT_EQ(out.redirect_location, Text("/b"));  // the last one wins
    EXPECT_EQ(out.response_bytes, Bytes("moved\0tail", 10));
}

}  // namespace
}  // namespace vx
