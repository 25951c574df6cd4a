#include "text/text_ops.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vx {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Two-byte characters whose second byte reads as ASCII: 81 41 ("A"),
// 95 5C ("\"), 81 7C ("|"), 81 40 ("@"). The high run B0 A1 B0 A1 pairs up
// from its start, so A1 B0 never starts a character inside it.
struct FindCase {
    const char* name;
    std::string text;
    std::string sub;
    Position start;
    bool ignore_case;
    Position expected;
};

class FindFirstTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindFirstTest, FindsAtCharacterStarts) {
    const FindCase& c = GetParam();
    EXPECT_EQ(find_first(c.text, c.sub, c.start, c.ignore_case), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindFirstTest,
    ::testing::Values(
        FindCase{"plain", "abcabc", "bc", 1, false, 2},
        FindCase{"from_start", "abcabc", "bc", 3, false, 5},
        FindCase{"start_zero_is_first", "abcabc", "bc", 0, false, 2},
        FindCase{"start_negative_is_first", "abcabc", "bc", -7, false, 2},
        FindCase{"start_on_last_byte", "abcabc", "c", 6, false, 6},
        FindCase{"start_beyond_end", "abcabc", "c", 7, false, kNotFound},
        FindCase{"missing", "abcabc", "cb", 1, false, kNotFound},
        FindCase{"sub_longer_than_text", "ab", "abc", 1, false, kNotFound},
        FindCase{"empty_sub", "abc", "", 3, false, 1},
        FindCase{"empty_sub_beyond_end", "abc", "", 4, false, kNotFound},
        FindCase{"empty_sub_empty_text", "", "", 1, false, kNotFound},
        FindCase{"empty_text", "", "a", 1, false, kNotFound},
        FindCase{"second_byte_letter", "\x81\x41\x41", "A", 1, false, 3},
        FindCase{"only_second_byte_letter", "\x81\x41", "A", 1, false, kNotFound},
        FindCase{"second_byte_backslash", "\x95\x5C\\", "\\", 1, false, 3},
        FindCase{"second_byte_bar", "\x81\x7C|", "|", 1, false, 3},
        FindCase{"second_byte_at", "\x81\x40@", "@", 1, false, 3},
        FindCase{"second_byte_as_lead", "A\xD6\xD0", "\xD0", 1, false, kNotFound},
        FindCase{"straddling_characters", "\xB0\xA1\xB0\xA1", "\xA1\xB0", 1, false, kNotFound},
        FindCase{"run_parity_after_ascii", "a\xB0\xA1\xB0\xA1", "\xB0\xA1", 3, false, 4},
        FindCase{"start_on_second_byte", "\x81\x41\x41", "A", 2, false, 3},
        FindCase{"cut_character_at_end", "ab\xD6", "\xD6", 1, false, 3},
        FindCase{"two_byte_sub", "x\xD6\xD0y\xD6\xD0", "\xD6\xD0y", 1, false, 2},
        FindCase{"ignore_case", "xABc", "ab", 1, true, 2},
        FindCase{"case_counts", "xABc", "ab", 1, false, kNotFound},
        FindCase{"ignore_case_after_second_byte",
                 "\x81\x41"
                 "a",
                 "A", 1, true, 3},
        FindCase{"ignore_case_keeps_second_bytes", "\x81\x61", "\x81\x41", 1, true, kNotFound},
        FindCase{"ignore_case_only_letters", "[{", "{", 1, true, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct FindLastCase {
    const char* name;
    std::string text;
    std::string sub;
    std::optional<Position> before;
    bool ignore_case;
    Position expected;
};

class FindLastTest : public ::testing::TestWithParam<FindLastCase> {};

TEST_P(FindLastTest, FindsLastWhollyBefore) {
    const FindLastCase& c = GetParam();
    EXPECT_EQ(find_last(c.text, c.sub, c.before, c.ignore_case), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindLastTest,
    ::testing::Values(FindLastCase{"whole_text", "abcabc", "bc", std::nullopt, false, 5},
                      FindLastCase{"must_end_before", "abcabc", "bc", 6, false, 2},
                      FindLastCase{"ends_just_before", "abcabc", "bc", 7, false, 5},
                      FindLastCase{"none_before", "abcabc", "bc", 3, false, kNotFound},
                      FindLastCase{"before_beyond_end", "abcabc", "bc", 100, false, 5},
                      FindLastCase{"before_zero", "abcabc", "a", 0, false, kNotFound},
                      FindLastCase{"empty_sub", "abc", "", std::nullopt, false, 1},
                      FindLastCase{"empty_sub_nothing_searched", "abc", "", 1, false, kNotFound},
                      FindLastCase{"empty_sub_empty_text", "", "", std::nullopt, false, kNotFound},
                      FindLastCase{"overlapping", "aaaa", "aa", std::nullopt, false, 3},
                      FindLastCase{"second_byte_letter", "A\x81\x41", "A", std::nullopt, false, 1},
                      FindLastCase{"after_two_byte", "\x81\x41\x41", "A", std::nullopt, false, 3},
                      FindLastCase{"straddling_characters", "\xB0\xA1\xB0\xA1", "\xA1\xB0",
                                   std::nullopt, false, kNotFound},
                      FindLastCase{"long_high_run", "\xB0\xA1\xB0\xA1\xB0\xA1", "\xB0\xA1",
                                   std::nullopt, false, 5},
                      FindLastCase{"ignore_case", "aXbx", "X", std::nullopt, true, 4},
                      FindLastCase{"ignore_case_with_limit", "aXbx", "X", 4, true, 2},
                      FindLastCase{"ignore_case_keeps_second_bytes", "\x81\x61", "\x81\x41",
                                   std::nullopt, true, kNotFound}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string from;
    std::string to;
    bool ignore_case;
    std::string expected;
};

class ReplaceTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTest, ReplacesWithoutRescanning) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replace_all(c.text, c.from, c.to, c.ignore_case).str(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTest,
    ::testing::Values(
        ReplaceCase{"every_occurrence", "a.b.c", ".", "", false, "abc"},
        ReplaceCase{"no_rescan_of_output", "aaa", "a", "aa", false, "aaaaaa"},
        ReplaceCase{"continues_after_replacement", "aaa", "aa", "b", false, "ba"},
        ReplaceCase{"shrinking", "aaaa", "aa", "a", false, "aa"},
        ReplaceCase{"empty_from", "abc", "", "x", false, "abc"},
        ReplaceCase{"empty_text", "", "a", "b", false, ""},
        ReplaceCase{"absent", "abc", "d", "x", false, "abc"},
        ReplaceCase{"second_byte_untouched",
                    "\x81\x41"
                    "A",
                    "A", "B", false,
                    "\x81\x41"
                    "B"},
        ReplaceCase{"two_byte_from", "\xD6\xD0\xCE\xC4", "\xCE\xC4", "w", false, "\xD6\xD0w"},
        // FC FC is one character: the search goes on at the next
        // character, never at the second byte that `from` left.
        ReplaceCase{"cut_character_in_from", "\xFC\xFC\xFC", "\xFC", "x", false, "x\xFCx"},
        ReplaceCase{"ignore_case", "aAa", "a", "b", true, "bbb"},
        ReplaceCase{"case_counts", "aAa", "a", "b", false, "bAb"}),
    [](const auto& info) { return std::string(info.param.name); });

// Texts long enough for the searches to run over several stretches, full of
// second bytes that look like the wanted letter.
TEST(FindLongTextTest, OccurrenceBeyondManySecondByteLookalikes) {
    for (const std::size_t pairs : {100u, 128u, 129u, 300u, 40000u, 70000u}) {
        std::string t;
        for (std::size_t i = 0; i < pairs; ++i) {
            t += "\x81"
                 "a";
        }
        t += "a";
        const auto last = static_cast<Position>(t.size());
        EXPECT_EQ(find_first(t, "a"), last) << pairs;
        EXPECT_EQ(find_first(t, "a", last - 1), last) << pairs;
        EXPECT_EQ(find_last(t, "a"), last) << pairs;
        EXPECT_EQ(find_last(t, "a", last), kNotFound) << pairs;
        EXPECT_EQ(find_last("a" + t, "a", last + 1), 1) << pairs;
        EXPECT_EQ(find_first(t, "A", 1, true), last) << pairs;
        EXPECT_EQ(replace_all(t, "a", "b").str(), t.substr(0, t.size() - 1) + "b") << pairs;
        EXPECT_EQ(split(t, "a").size(), 1u) << pairs;
    }
}

TEST(CutTest, LeftRightMiddleWorkOnBytes) {
    const std::string t =
        "ab\xD6\xD0"
        "cd";
    EXPECT_EQ(left(t, 3).str(), "ab\xD6");
    EXPECT_EQ(left(t, 0).str(), "");
    EXPECT_EQ(left(t, -1).str(), "");
    EXPECT_EQ(left(t, 99).str(), t);
    EXPECT_EQ(right(t, 3).str(),
              "\xD0"
              "cd");
    EXPECT_EQ(right(t, 0).str(), "");
    EXPECT_EQ(right(t, 99).str(), t);
    EXPECT_EQ(middle(t, 2, 2).str(), "b\xD6");
    EXPECT_EQ(middle(t, 5, 99).str(), "cd");
    EXPECT_EQ(middle(t, 6, 1).str(), "d");
    EXPECT_EQ(middle(t, 7, 1).str(), "");
    EXPECT_EQ(middle(t, 0, 2).str(), "");
    EXPECT_EQ(middle(t, 1, 0).str(), "");
    EXPECT_EQ(middle("", 1, 1).str(), "");
}

struct SplitCase {
    const char* name;
    std::string text;
    std::string separator;
    std::vector<std::string> expected;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, Pieces) {
    const SplitCase& c = GetParam();
    std::vector<std::string> got;
    for (const Text& piece : split(c.text, c.separator)) {
        got.push_back(piece.str());
    }
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitTest,
    ::testing::Values(SplitCase{"plain", "a,b", ",", {"a", "b"}},
                      SplitCase{"leading_separator", ",a", ",", {"", "a"}},
                      SplitCase{"trailing_separator", "a,", ",", {"a"}},
                      SplitCase{"adjacent_separators", "a,,b", ",", {"a", "", "b"}},
                      SplitCase{"separator_only", ",", ",", {""}},
                      SplitCase{"two_separators_only", ",,", ",", {"", ""}},
                      SplitCase{"no_separator", "abc", ",", {"abc"}},
                      SplitCase{"empty_text", "", ",", {}},
                      SplitCase{"empty_separator", "a,b", "", {"a,b"}},
                      SplitCase{"long_separator", "a\r\nb\r\n\r\nc", "\r\n", {"a", "b", "", "c"}},
                      SplitCase{"second_byte_separator", "\x81|a|b", "|", {"\x81|a", "b"}},
                      SplitCase{"overlapping_separator", "aaab", "aa", {"", "ab"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SpaceCase {
    const char* name;
    std::string text;
    std::string trimmed;
    std::string without_spaces;
};

class SpaceTest : public ::testing::TestWithParam<SpaceCase> {};

TEST_P(SpaceTest, TrimAndRemove) {
    const SpaceCase& c = GetParam();
    EXPECT_EQ(trim_spaces(c.text).str(), c.trimmed);
    EXPECT_EQ(remove_all_spaces(c.text).str(), c.without_spaces);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpaceTest,
    ::testing::Values(
        SpaceCase{"ascii", "  a b  ", "a b", "ab"},
        SpaceCase{"full_width",
                  "\xA1\xA1"
                  "a\xA1\xA1"
                  "b\xA1\xA1",
                  "a\xA1\xA1"
                  "b",
                  "ab"},
        SpaceCase{"tabs_and_breaks_stay", "\t a\r\n", "\t a\r\n", "\ta\r\n"},
        SpaceCase{"only_spaces", " \xA1\xA1 ", "", ""}, SpaceCase{"empty", "", "", ""},
        // B0 A1 is a character, so the A1 A1 that follows it is the space.
        SpaceCase{"full_width_after_two_byte", "\xB0\xA1\xA1\xA1", "\xB0\xA1", "\xB0\xA1"},
        // B0 A1 A1 B0: the bytes A1 A1 straddle two characters.
        SpaceCase{"straddling_a1_a1", "\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0"},
        SpaceCase{"second_byte_space", "\x81 a", "\x81 a", "\x81 a"},
        SpaceCase{"cut_a1_at_end", "a \xA1", "a \xA1", "a\xA1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToUpperTest, OnlyAsciiLettersAtCharacterStarts) {
    EXPECT_EQ(to_upper("abZ1\x81\x61"
                       "c\xD6")
                  .str(),
              "ABZ1\x81\x61"
              "C\xD6");
    EXPECT_EQ(to_upper("").str(), "");
}

TEST(CharacterCodeTest, SignedFirstByte) {
    EXPECT_EQ(character_code(""), 0);
    EXPECT_EQ(character_code("Ab"), 65);
    EXPECT_EQ(character_code("\xD6\xD0"), -42);
    EXPECT_EQ(character_code("\x80"), -128);
}

TEST(BytesTest, TextAndBytes) {
    EXPECT_EQ(text_to_bytes(Text("ab\xD6\xD0")), Bytes("ab\xD6\xD0"));
    EXPECT_EQ(text_to_bytes(Text()).size(), 0u);
    EXPECT_EQ(bytes_to_text(std::string_view("ab\0cd", 5)).str(), "ab");
    EXPECT_EQ(bytes_to_text(std::string_view("\0cd", 3)).str(), "");
}

}  // namespace
}  // namespace vx
