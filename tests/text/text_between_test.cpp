#include "text/text_between.h"

#include <gtest/gtest.h>

#include <string>

namespace vx {
namespace {

// "#引号", the quote token.
constexpr const char* kQuote = "#\xD2\xFD\xBA\xC5";

struct BetweenCase {
    const char* name;
    std::string text;
    std::string start_marker;
    std::string end_marker;
    Position start;
    bool ignore_case;
    std::string expected;
};

class TextBetweenTest : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTest, Cuts) {
    const BetweenCase& c = GetParam();
    EXPECT_EQ(text_between(c.text, c.start_marker, c.end_marker, c.start, c.ignore_case).str(),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextBetweenTest,
    ::testing::Values(
        BetweenCase{"plain", "a<b>c", "<", ">", 0, false, "b"},
        BetweenCase{"end_inside_start_marker", "abab", "ab", "ba", 0, false, ""},
        BetweenCase{"end_before_start_ignored", "x]y[z]", "[", "]", 0, false, "z"},
        BetweenCase{"start_4", "a[1]b[2]", "[", "]", 4, false, "2"},
        BetweenCase{"start_0", "a[1]b[2]", "[", "]", 0, false, "1"},
        BetweenCase{"start_1", "a[1]b[2]", "[", "]", 1, false, "1"},
        BetweenCase{"start_negative", "a[1]b[2]", "[", "]", -3, false, "1"},
        BetweenCase{"start_beyond_end", "a[1]b[2]", "[", "]", 9, false, ""},
        BetweenCase{"no_end_marker", "a[1", "[", "]", 0, false, ""},
        BetweenCase{"no_start_marker", "a1]", "[", "]", 0, false, ""},
        BetweenCase{"adjacent_markers", "<>", "<", ">", 0, false, ""},
        BetweenCase{"empty_text", "", "<", ">", 0, false, ""},
        BetweenCase{"quote_token_in_start", "<a href=\"/t/1.html\">", std::string("href=") + kQuote,
                    std::string(kQuote), 0, false, "/t/1.html"},
        BetweenCase{"two_quote_tokens", "x=\"\"1\"\"", std::string(kQuote) + kQuote,
                    std::string(kQuote) + kQuote, 0, false, "1"},
        BetweenCase{"ignore_case", "<B>x</b>", "<b>", "</b>", 0, true, "x"},
        BetweenCase{"case_counts", "<B>x</b>", "<b>", "</b>", 0, false, ""},
        BetweenCase{"second_byte_letter",
                    "\x81\x41"
                    "AXB",
                    "A", "B", 0, false, "X"},
        // 95 5C is one character; its second byte is not the backslash marker.
        BetweenCase{"second_byte_backslash",
                    "\x95\x5C"
                    "a\\b|",
                    "\\", "|", 0, false, "b"},
        BetweenCase{"second_byte_bar_as_end", "[\x81|x|", "[", "|", 0, false, "\x81|x"},
        BetweenCase{"two_byte_markers",
                    "\xD6\xD0"
                    "1\xCE\xC4",
                    "\xD6\xD0", "\xCE\xC4", 0, false, "1"},
        BetweenCase{"cut_character_at_end", "<a>\xD6", "<", "\xD6", 0, false, "a>"},
        BetweenCase{"empty_end_marker", "abc", "a", "", 0, false, ""},
        BetweenCase{"empty_start_marker", "abc", "", "c", 0, false, "ab"},
        BetweenCase{"empty_start_marker_ignores_start", "abcabc", "", "c", 4, false, "ab"},
        BetweenCase{"empty_start_marker_beyond_end", "abc", "", "c", 4, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QuoteTokenTest, ReplacedLeftToRight) {
    EXPECT_EQ(replace_quote_tokens(std::string("a") + kQuote + "b" + kQuote).str(), "a\"b\"");
    // A cut token stays as it is.
    EXPECT_EQ(replace_quote_tokens("#\xD2\xFD\xBA").str(), "#\xD2\xFD\xBA");
    EXPECT_EQ(replace_quote_tokens("").str(), "");
}

// A whole page of 100 MB: mixed ASCII and two-byte characters with the
// markers at its end. The answer must be defined and exact.
TEST(TextBetweenLargeTest, HundredMegabytes) {
    const std::string unit = "<td>\xD6\xD0\xCE\xC4 abc \x81\x41</td>";
    std::string page;
    page.reserve(100u << 20);
    while (page.size() < (100u << 20)) {
        page += unit;
    }
    const auto tail = static_cast<Position>(page.size());  // bytes before the markers
    page += "<div id=\"end\">\xB8\xE8</div>";
    EXPECT_EQ(text_between(page, "<div id=\"end\">", "</div>").str(), "\xB8\xE8");
    EXPECT_EQ(text_between(page, "<div id=\"none\">", "</div>").str(), "");
    EXPECT_EQ(find_first(page, "id=\"end\""), tail + 6);
    EXPECT_EQ(find_first(page, "A</td>"), kNotFound);  // only ever after 81
    EXPECT_EQ(find_last(page, "<td>"), tail - static_cast<Position>(unit.size()) + 1);
}

}  // namespace
}  // namespace vx
