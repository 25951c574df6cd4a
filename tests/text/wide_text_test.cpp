#include "http/wide_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vx {
namespace {

using namespace std::string_literals;

struct ToWideCase {
    const char* name;
    std::string text;
    bool drop_terminator;
    std::string expected;
};

class ToWideTest : public ::testing::TestWithParam<ToWideCase> {};

TEST_P(ToWideTest, Converts) {
    const ToWideCase& c = GetParam();
    EXPECT_EQ(to_wide_text(c.text, c.drop_terminator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToWideTest,
    ::testing::Values(ToWideCase{"empty", "", false, ""}, ToWideCase{"empty_dropped", "", true, ""},
                      ToWideCase{"letter", "A", false, "A\0\0\0"s},
                      ToWideCase{"letter_dropped", "A", true, "A\0"s},
                      // 中 is D6 D0 in code page 936 and U+4E2D.
                      ToWideCase{"two_byte", "\xD6\xD0", false, "\x2D\x4E\0\0"s},
                      ToWideCase{"mixed", "a\xD6\xD0", true, "a\0\x2D\x4E"s},
                      // The source is read as a zero-terminated text.
                      ToWideCase{"stops_at_zero", "a\0b"s, false, "a\0\0\0"s},
                      ToWideCase{"zero_first", "\0b"s, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToWideCutTest, CutCharacterIsReplacedNotLost) {
    // A lead byte with nothing after it still gives one unit and the terminator.
    const Bytes wide = to_wide_text("a\xD6");
    ASSERT_EQ(wide.size(), 6u);
    EXPECT_EQ(wide.substr(0, 2), "a\0"s);
    EXPECT_NE(wide.substr(2, 2), "\0\0"s);
    EXPECT_EQ(wide.substr(4), "\0\0"s);
}

struct FromWideCase {
    const char* name;
    std::string wide;
    std::string expected;
};

class FromWideTest : public ::testing::TestWithParam<FromWideCase> {};

TEST_P(FromWideTest, Converts) {
    const FromWideCase& c = GetParam();
    EXPECT_EQ(from_wide_text(c.wide).str(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FromWideTest,
    ::testing::Values(FromWideCase{"terminated", "A\0B\0\0\0"s, "AB"},
                      FromWideCase{"unterminated", "A\0B\0"s, "AB"},
                      FromWideCase{"odd_last_byte", "A\0B"s, "A"}, FromWideCase{"empty", "", ""},
                      FromWideCase{"one_byte", "A", ""},
                      FromWideCase{"stops_at_zero_unit", "A\0\0\0B\0"s, "A"},
                      // U+4E00 (一, D2 BB): a zero low byte does not end the text.
                      FromWideCase{"zero_low_byte_is_not_zero_unit", "\0\x4E"s, "\xD2\xBB"},
                      FromWideCase{"two_byte", "\x2D\x4E\0\0"s, "\xD6\xD0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WideTextTest, RoundTripOfCodePage936Text) {
    // 中文 "<a>" 引号, and full-width space: every kind of character once.
    const std::string text = "\xD6\xD0\xCE\xC4 <a href=\"x\">\xD2\xFD\xBA\xC5\xA1\xA1\x81\x40";
    EXPECT_EQ(from_wide_text(to_wide_text(text)).str(), text);
    EXPECT_EQ(from_wide_text(to_wide_text(text, true)).str(), text);
}

}  // namespace
}  // namespace vx
