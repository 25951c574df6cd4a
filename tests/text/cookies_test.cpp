#include "http/cookies.h"

#include "text/text_ops.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vx {
namespace {

using ::testing::ElementsAre;

struct MergeCase {
    const char* name;
    std::string old_cookies;
    std::string new_cookies;
    std::string expected;
};

class MergeCookiesTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeCookiesTest, MergesAndWritesBack) {
    const MergeCase& c = GetParam();
    Text old_cookies(c.old_cookies);
    Text new_cookies(c.new_cookies);
    const Text merged = merge_cookies(old_cookies, new_cookies);
    EXPECT_EQ(merged.str(), c.expected);
    EXPECT_EQ(old_cookies, merged);
    EXPECT_EQ(new_cookies, remove_all_spaces(c.new_cookies));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeCookiesTest,
    ::testing::Values(MergeCase{"new_replaces_old", "a=1; b=2", "a=3", "a=3; b=2"},
                      MergeCase{"deleted_is_left_out", "a=1", "a=deleted", ""},
                      MergeCase{"deleted_with_spaces", "a=1; b=2", "a = deleted", "b=2"},
                      MergeCase{"old_repeated_name_first_wins", "a=1; a=2; b=3", "", "a=1; b=3"},
                      MergeCase{"new_same_name_both_stay", "", "a=1; a=2", "a=1; a=2"},
                      MergeCase{"new_identical_once", "", "a=1;a=1", "a=1"},
                      MergeCase{"empty_new", " a=1 ;  b=2 ", "", "a=1; b=2"},
                      MergeCase{"both_empty", "", "", ""},
                      MergeCase{"spaces_inside_value", "x=hello world", "", "x=helloworld"},
                      MergeCase{"full_width_space",
                                "x=\xA1\xA1"
                                "1",
                                "", "x=1"},
                      MergeCase{"trailing_separator", "a=1;", "b=2;", "b=2; a=1"},
                      MergeCase{"adjacent_separators_in_old", "a=1;;b=2", "", "a=1; ; b=2"},
                      MergeCase{"short_piece_kept", "", "deleted", "deleted"},
                      MergeCase{"name_without_value", "flag; a=1", "flag=2", "flag=2; a=1"},
                      MergeCase{"two_byte_values", "n=\xD6\xD0", "m=\xCE\xC4",
                                "m=\xCE\xC4; n=\xD6\xD0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MergeCookiesAliasTest, SameObjectForBoth) {
    Text cookies("a=1; a=2");
    EXPECT_EQ(merge_cookies(cookies, cookies).str(), "a=1; a=2");
    EXPECT_EQ(cookies.str(), "a=1; a=2");
}

TEST(CookieNameTest, TextBeforeEqualsTrimmed) {
    EXPECT_EQ(cookie_name(" sid =1=2").str(), "sid");
    EXPECT_EQ(cookie_name("\xA1\xA1"
                          "flag ")
                  .str(),
              "flag");
    EXPECT_EQ(cookie_name("").str(), "");
    EXPECT_EQ(cookie_name("=v").str(), "");
}

TEST(CookieListContainsTest, ComparesNames) {
    const TextList list{"a=1", " b =2", "c"};
    EXPECT_TRUE(cookie_list_contains(list, "b"));
    EXPECT_TRUE(cookie_list_contains(list, "c"));
    EXPECT_FALSE(cookie_list_contains(list, "B"));
    EXPECT_FALSE(cookie_list_contains(list, "a=1"));
    EXPECT_FALSE(cookie_list_contains({}, ""));
}

TEST(UniqueJoinTest, DropsRepeats) {
    EXPECT_EQ(unique_join("a,b,a,c", ",", true).str(), "a,b,c");
    EXPECT_EQ(unique_join("abca", ",", false).str(), "a,b,c");
    EXPECT_EQ(unique_join("", ",", true).str(), "");
    EXPECT_EQ(unique_join("", ",", false).str(), "");
    EXPECT_EQ(unique_join("a,,b,", ",", true).str(), "a,,b");
    // Characters: the two-byte character is one piece, its second byte no letter.
    EXPECT_EQ(unique_join("\x81"
                          "AA\x81"
                          "A",
                          "|", false)
                  .str(),
              "\x81"
              "A|A");
    EXPECT_EQ(unique_join("a; b; a", "; ", true).str(), "a; b");
}

TEST(SplitCharactersTest, Pieces) {
    TextList list{"stale"};
    EXPECT_EQ(split_characters("a\xD6\xD0\r\nb", list), 4);
    EXPECT_THAT(list, ElementsAre(Text("a"), Text("\xD6\xD0"), Text("\r\n"), Text("b")));

    EXPECT_EQ(split_characters("\r"
                               "a\x80"
                               "b\x81",
                               list),
              5);
    EXPECT_THAT(list, ElementsAre(Text("\r"), Text("a"), Text("\x80"), Text("b"), Text("\x81")));

    EXPECT_EQ(split_characters("", list), 0);
    EXPECT_TRUE(list.empty());
}

TEST(IndexInListTest, FirstEqualMember) {
    EXPECT_EQ(index_in_list({}, "a"), -1);
    EXPECT_EQ(index_in_list({"a", "b", "b"}, "b"), 2);
    EXPECT_EQ(index_in_list({"a", "b"}, "B"), -1);
    EXPECT_EQ(index_in_list({"a", ""}, ""), 2);
}

}  // namespace
}  // namespace vx
