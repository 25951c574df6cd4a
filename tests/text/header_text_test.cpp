#include "http/header_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vx {
namespace {

struct NormalizeCase {
    const char* name;
    std::string headers;
    std::string expected;
};

class NormalizeTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeTest, CapitalisesNamesOnly) {
    const NormalizeCase& c = GetParam();
    EXPECT_EQ(normalize_header_names(c.headers).str(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeTest,
    ::testing::Values(
        NormalizeCase{"empty", "", ""},
        NormalizeCase{"words", "content-type: text/html\r\nx-forwarded-for: a",
                      "Content-Type: text/html\r\nX-Forwarded-For: a"},
        NormalizeCase{"empty_lines_dropped", "accept: */*\r\n\r\n", "Accept: */*"},
        NormalizeCase{"line_without_colon_dropped", "HTTP/1.1 200 OK\r\nhost: a\r\njunk\r\nb: c",
                      "Host: a\r\nB: c"},
        NormalizeCase{"inner_letters_keep_case", "x-rEQUESTED-with: XMLHttp",
                      "X-REQUESTED-With: XMLHttp"},
        NormalizeCase{"trailing_dash", "x-: 1", "X-: 1"},
        NormalizeCase{"trailing_dashes", "ab--: 1", "Ab--: 1"},
        NormalizeCase{"adjacent_dashes", "a--b: 1", "A--B: 1"},
        NormalizeCase{"leading_dash", "-a: 1", "-A: 1"}, NormalizeCase{"only_dash", "-: 1", "-: 1"},
        NormalizeCase{"empty_name", ": value", ": value"},
        NormalizeCase{"digit_first", "1a-b: x", "1a-B: x"},
        NormalizeCase{"two_byte_first", "\xD6\xD0-a: x", "\xD6\xD0-A: x"},
        // 81 2D is one character: its second byte is not a dash.
        NormalizeCase{"second_byte_dash", "\x81-a: x", "\x81-a: x"},
        NormalizeCase{"second_byte_colon", "\x81:a: x", "\x81:a: x"},
        NormalizeCase{"value_untouched", "cookie:  a-b=c-d ;  e", "Cookie:  a-b=c-d ;  e"},
        NormalizeCase{"spaces_in_name_kept", " x-y : z", " x-Y : z"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CapitalizeTest, FirstLetterOnly) {
    EXPECT_EQ(capitalize_first_letter("abc").str(), "Abc");
    EXPECT_EQ(capitalize_first_letter("Abc").str(), "Abc");
    EXPECT_EQ(capitalize_first_letter("1bc").str(), "1bc");
    EXPECT_EQ(capitalize_first_letter("\xD6\xD0"
                                      "a")
                  .str(),
              "\xD6\xD0"
              "a");
    EXPECT_EQ(capitalize_first_letter("").str(), "");
}

struct ValueCase {
    const char* name;
    std::string headers;
    std::string header;
    std::string expected;
};

class HeaderValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(HeaderValueTest, FirstLineBeginningWithNameDecides) {
    const ValueCase& c = GetParam();
    EXPECT_EQ(header_value(c.headers, c.header).str(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderValueTest,
    ::testing::Values(
        ValueCase{"plain", "Accept: */*\r\nConnection: close", "Connection", "close"},
        ValueCase{"longer_name_first", "Connection-Extra: 1\r\nConnection: close", "Connection",
                  ""},
        ValueCase{"case_counts", "connection: close", "Connection", ""},
        ValueCase{"no_colon_space", "Connection:close\r\nConnection: x", "Connection", ""},
        ValueCase{"spaces_kept", "Connection:   keep-alive ", "Connection", "  keep-alive "},
        ValueCase{"after_last_marker", "Connection: a Connection: b", "Connection", "b"},
        ValueCase{"absent", "Accept: */*", "Connection", ""},
        ValueCase{"empty_block", "", "Connection", ""},
        ValueCase{"line_shorter_than_name", "Conn\r\nConnection: x", "Connection", "x"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CutCase {
    const char* name;
    std::string text;
    std::string marker;
    std::optional<Position> start;
    std::string after_last;
    std::string before_first;
};

class MarkerCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(MarkerCutTest, Cuts) {
    const CutCase& c = GetParam();
    EXPECT_EQ(text_after_last(c.text, c.marker, c.start).str(), c.after_last);
    EXPECT_EQ(text_before_first(c.text, c.marker, c.start.value_or(0)).str(), c.before_first);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkerCutTest,
    ::testing::Values(CutCase{"plain", "a: b: c", ": ", std::nullopt, "c", "a"},
                      CutCase{"absent", "abc", ";", std::nullopt, "", ""},
                      CutCase{"empty_text", "", ";", std::nullopt, "", ""},
                      CutCase{"marker_starts_text", ";abc", ";", std::nullopt, "abc", ""},
                      CutCase{"marker_ends_text", "abc;", ";", std::nullopt, "", "abc"},
                      CutCase{"empty_marker", "abc", "", std::nullopt, "abc", ""},
                      // after_last looks within the first start - 1 bytes; before_first
                      // looks from start on but cuts from the beginning.
                      CutCase{"with_start", "a;b;c", ";", 4, "b;c", "a;b"},
                      CutCase{"start_one", "a;b", ";", 1, "", "a"},
                      CutCase{"start_beyond_end", "a;b", ";", 9, "b", ""},
                      CutCase{"second_byte_marker", "\x81;a;b", ";", std::nullopt, "b", "\x81;a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MarkerCutIgnoreCaseTest, LettersFold) {
    EXPECT_EQ(text_after_last("aXbxc", "X", std::nullopt, true).str(), "c");
    EXPECT_EQ(text_before_first("aXbxc", "x", 0, true).str(), "a");
    EXPECT_EQ(text_before_first("aXbxc", "x").str(), "aXb");
}

}  // namespace
}  // namespace vx
