#include "text/regex_object.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "text/text_between.h"

namespace vx {
namespace {

// "中" in code page 936.
constexpr std::string_view kZhong = "\xD6\xD0";

std::vector<std::string> all_matches(const RegexObject& re) {
    std::vector<std::string> out;
    for (int i = 1; i <= re.match_count(); ++i) {
        out.push_back(re.match_text(i).str());
    }
    return out;
}

TEST(RegexObject, NothingBeforeTheFirstRun) {
    const RegexObject re;
    Position pos = 0;
    EXPECT_EQ(re.match_count(), 0);
    EXPECT_EQ(re.submatch_count(), 0);
    EXPECT_EQ(re.pattern_text(), Text());
    EXPECT_EQ(re.replace("x"), Text());
    EXPECT_EQ(re.match_text(1, &pos), Text());
    EXPECT_EQ(pos, -2);
}

TEST(RegexObject, PatternThatMatchesNothingStillRuns) {
    RegexObject re;
    EXPECT_TRUE(re.execute("zz(q)", "abc"));
    EXPECT_EQ(re.match_count(), 0);
    EXPECT_EQ(re.submatch_text(1, 1), Text());
    EXPECT_EQ(re.submatch_count(), 0);
    EXPECT_EQ(re.pattern_text(), Text("zz(q)"));
}

TEST(RegexObject, RejectedPatternIsAFailedRun) {
    for (const std::string_view pattern : {"(ab", "a)", "[b", "a{2,1}", "x\\", "(?<n", "\\C"}) {
        RegexObject re;
        EXPECT_FALSE(re.execute(pattern, "ab (ab a) [b x\\")) << pattern;
        EXPECT_EQ(re.match_count(), 0);
        EXPECT_EQ(re.match_text(1), Text());
        EXPECT_EQ(re.replace("z"), Text());
        EXPECT_EQ(re.pattern_text(), Text(pattern));  // the engine kept the pattern it was given
    }
}

TEST(RegexObject, OptionsAndTheirDefaults) {
    struct Case {
        const char* name;
        bool case_sensitive;
        bool global;
        std::vector<std::string> matches;
    };
    const Case cases[] = {
        {"defaults: ignore case, global", false, true, {"ab", "AB", "Ab"}},
        {"case sensitive", true, true, {"ab"}},
        {"first only", false, false, {"ab"}},
        {"first only, case sensitive", true, false, {"ab"}},
    };
    for (const Case& c : cases) {
        RegexObject re;
        ASSERT_TRUE(re.execute("ab", "ab AB Ab", c.case_sensitive, true, c.global)) << c.name;
        EXPECT_EQ(all_matches(re), c.matches) << c.name;
    }
    RegexObject re;
    ASSERT_TRUE(re.execute("ab", "xx AB ab"));  // all four options omitted
    EXPECT_EQ(all_matches(re), (std::vector<std::string>{"AB", "ab"}));
}

TEST(RegexObject, QuoteToken) {
    const std::string text =
        "<a href=\"/p/1.htm\">x</a> <a href=#\xD2\xFD\xBA\xC5/p/2.htm#\xD2\xFD\xBA\xC5>";
    const std::string with_token =
        "href=" + std::string(kQuoteToken) + "(.*?)" + std::string(kQuoteToken);
    RegexObject re;

    ASSERT_TRUE(re.execute(with_token, text, false, true, true, true));
    EXPECT_EQ(re.pattern_text(), Text("href=\"(.*?)\""));
    ASSERT_EQ(re.match_count(), 1);
    EXPECT_EQ(re.submatch_text(1, 1), Text("/p/1.htm"));

    ASSERT_TRUE(re.execute("href=\"(.*?)\"", text, false, true, true, false));
    EXPECT_EQ(re.submatch_text(1, 1), Text("/p/1.htm"));

    // Without the flag the token is matched as the five bytes it is.
    ASSERT_TRUE(re.execute(with_token, text, false, true, true, false));
    EXPECT_EQ(re.pattern_text(), Text(with_token));
    ASSERT_EQ(re.match_count(), 1);
    EXPECT_EQ(re.submatch_text(1, 1), Text("/p/2.htm"));
}

TEST(RegexObject, SecondRunForgetsTheFirst) {
    RegexObject re;
    ASSERT_TRUE(re.execute("(a)(b)", "ab ab"));
    ASSERT_EQ(re.match_count(), 2);
    ASSERT_TRUE(re.execute("(z)", "ab ab"));
    EXPECT_EQ(re.match_count(), 0);
    EXPECT_EQ(re.match_text(1), Text());
    EXPECT_EQ(re.submatch_count(), 0);

    ASSERT_TRUE(re.execute("(a)(b)", "ab ab"));
    EXPECT_FALSE(re.execute("(", "ab ab"));
    EXPECT_EQ(re.match_count(), 0);
    EXPECT_EQ(re.submatch_text(1, 1), Text());
}

TEST(RegexObject, MatchAndGroupNumbersOutsideTheRun) {
    RegexObject re;
    ASSERT_TRUE(re.execute("(a)(x)?", "a a"));
    ASSERT_EQ(re.match_count(), 2);
    EXPECT_EQ(re.submatch_count(), 2);
    struct Case {
        int match_no;
        int submatch_no;
    };
    for (const Case c : {Case{0, 1}, Case{3, 1}, Case{-1, 1}, Case{1, 0}, Case{1, 3}}) {
        Position pos = 0;
        EXPECT_EQ(re.submatch_text(c.match_no, c.submatch_no, &pos), Text());
        EXPECT_EQ(pos, -2);
    }
    for (const int n : {0, 3, -5}) {
        Position pos = 0;
        EXPECT_EQ(re.match_text(n, &pos), Text()) << n;
        EXPECT_EQ(pos, -2);
    }
    // A group that took no part in the match is empty.
    EXPECT_EQ(re.submatch_text(2, 1), Text("a"));
    EXPECT_EQ(re.submatch_text(2, 2), Text());
}

TEST(RegexObject, PositionsAreByteOffsetsSearchedFromFirstIndex) {
    struct Case {
        const char* name;
        std::string text;
        std::string pattern;
        bool case_sensitive;
        std::vector<Position> positions;
    };
    const std::string zhong(kZhong);
    const Case cases[] = {
        {"two-byte character before", zhong + "ab ab", "ab", false, {2, 5}},
        {"repeated letter", "aaa", "a", false, {0, 1, 2}},
        // The search starts at byte FirstIndex, which may lie before the
        // match: an earlier equal text is what it finds.
        {"earlier equal text", zhong + zhong + "x x", "x", false, {4, 4}},
        // Letter case folds in the search unless the run was case sensitive.
        {"case folds", zhong + zhong + "Xx", "x", false, {4, 4}},
        {"case kept", zhong + zhong + "Xx", "x", true, {5}},
        // A FirstIndex on a second byte ("@" is 0x40, a trail byte here)
        // never yields an offset inside a character.
        {"trail byte", "\x81\x40@", "@", false, {2}},
        {"invalid byte reads back as ?",
         "\xFF"
         "ab",
         "ab",
         false,
         {1}},
    };
    for (const Case& c : cases) {
        RegexObject re;
        ASSERT_TRUE(re.execute(c.pattern, c.text, c.case_sensitive)) << c.name;
        std::vector<Position> positions;
        for (int i = 1; i <= re.match_count(); ++i) {
            Position pos = 0;
            re.match_text(i, &pos);
            positions.push_back(pos);
        }
        EXPECT_EQ(positions, c.positions) << c.name;
    }
}

TEST(RegexObject, SubmatchPositionSearchesFromItsMatch) {
    RegexObject re;
    ASSERT_TRUE(re.execute("v=(\\d)(x)?", "k=1; v=1"));
    Position pos = 0;
    EXPECT_EQ(re.submatch_text(1, 1, &pos), Text("1"));
    EXPECT_EQ(pos, 7);
    // An empty text is found at the first byte, as by any search for one.
    EXPECT_EQ(re.submatch_text(1, 2, &pos), Text());
    EXPECT_EQ(pos, 0);
}

TEST(RegexObject, EmptyMatchesStepOn) {
    RegexObject re;
    ASSERT_TRUE(re.execute("x*", "axb"));
    EXPECT_EQ(all_matches(re), (std::vector<std::string>{"", "x", "", ""}));
    // Empty matches at units 0, 1 and 2: an empty text is found at the first
    // byte while any byte lies at or after the search's start, and not at all
    // at the very end.
    ASSERT_TRUE(re.execute("", std::string(kZhong) + "a"));
    std::vector<Position> positions;
    for (int i = 1; i <= re.match_count(); ++i) {
        Position pos = 0;
        re.match_text(i, &pos);
        positions.push_back(pos);
    }
    EXPECT_EQ(positions, (std::vector<Position>{0, 0, 0}));
}

TEST(RegexObject, LineRulesAndClasses) {
    struct Case {
        const char* pattern;
        std::string text;
        bool multiline;
        std::vector<std::string> matches;
    };
    const Case cases[] = {
        {"a.c", "a\rc a\nc", true, {"a\rc"}},  // the dot takes CR, not LF
        {"ab$", "ab\n", false, {}},            // $ only at the very end
        {"ab$", "ab\nab", false, {"ab"}},
        {"ab$", "ab\nab", true, {"ab", "ab"}},
        {"^ab", "x\nab", false, {}},
        {"^ab", "x\nab", true, {"ab"}},
        {"^", "a\n", true, {"", ""}},  // a line break at the very end starts a line too
        {"^$", "a\n", true, {""}},
        {"\\w+",
         "\xD6\xD0"
         "ab_1",
         true,
         {"ab_1"}},  // \w stays ASCII
        {"[^\\w]", "a\xD6\xD0", true, {"\xD6\xD0"}},
        {"\\u4E2D", "a\xD6\xD0", true, {"\xD6\xD0"}},
        {".", "\xFF", true, {"?"}},  // an invalid byte comes back as "?"
    };
    for (const Case& c : cases) {
        RegexObject re;
        ASSERT_TRUE(re.execute(c.pattern, c.text, false, c.multiline)) << c.pattern;
        EXPECT_EQ(all_matches(re), c.matches) << c.pattern << " multiline " << c.multiline;
    }
}

TEST(RegexObject, TextStopsAtAZeroByte) {
    RegexObject re;
    ASSERT_TRUE(re.execute("b", std::string_view("a\0b", 3)));
    EXPECT_EQ(re.match_count(), 0);
}

TEST(RegexObject, RunawayBacktrackingIsAFailedRun) {
    const std::string as(40, 'a');
    struct Case {
        const char* pattern;
        std::string text;
    };
    const Case cases[] = {
        {"(a+)+$", as + "b"},
        {"(a|aa)+c", as + as + "!c"},
        {"(?:(a*)*)*b", as + "!b"},
        {"(.*?,){12}X", std::string(60, ',') + "\r\nX"},
    };
    // Short texts run in the interpreter, long ones through the JIT: both
    // must stop at the limits.
    const std::string long_prefix = std::string(20'000, '-') + "\n";
    for (const Case& c : cases) {
        for (const std::string& text : {c.text, long_prefix + c.text}) {
            RegexObject re;
            EXPECT_FALSE(re.execute(c.pattern, text)) << c.pattern << " over " << text.size();
            EXPECT_EQ(re.match_count(), 0);
            EXPECT_EQ(re.match_text(1), Text());
            EXPECT_EQ(re.replace("x"), Text());
        }
    }
}

TEST(RegexObject, LongMatchesOverAWholePage) {
    std::string page = "<body><a>";
    for (int i = 0; i < 200'000; ++i) {
        page += "\xB8\xE8 x<b>\r";  // 歌, markup, carriage returns but no line feed
    }
    page += "</a></body>";
    RegexObject re;
    ASSERT_TRUE(re.execute("<a>(.*?)</a>", page));
    ASSERT_EQ(re.match_count(), 1);
    EXPECT_EQ(re.submatch_text(1, 1).size(), page.size() - 9 - 11);

    // A repeated group keeps a backtracking frame per turn: far beyond the
    // stack that a short search starts with.
    std::string ab;
    for (int i = 0; i < 100'000; ++i) {
        ab += "ab";
    }
    ASSERT_TRUE(re.execute("(?:a|b)*?c", ab + "c"));
    ASSERT_EQ(re.match_count(), 1);
    EXPECT_EQ(re.match_text(1).size(), ab.size() + 1);
    EXPECT_EQ(re.replace("x"), Text("x"));
}

TEST(RegexObject, Replace) {
    RegexObject re;
    ASSERT_TRUE(re.execute("(\\d+)", "a1 b22 c333"));
    EXPECT_EQ(re.replace("<$1>"), Text("a<1> b<22> c<333>"));
    EXPECT_EQ(re.replace(), Text("a b c"));
    ASSERT_TRUE(re.execute("(\\d+)", "a1 b22", false, true, false));
    EXPECT_EQ(re.replace("#"), Text("a# b22"));
    ASSERT_TRUE(re.execute("\xB8\xE8", "\xD6\xD0\xB8\xE8!"));
    EXPECT_EQ(re.replace("\xC7\xFA"), Text("\xD6\xD0\xC7\xFA!"));  // 歌 -> 曲
    ASSERT_TRUE(re.execute("b", std::string(100'000, 'b')));
    EXPECT_EQ(re.replace("xyz").size(), 300'000u);  // output larger than the first guess
    ASSERT_TRUE(re.execute("b", "abc"));
    EXPECT_EQ(re.replace("$9"), Text());  // a reference the engine refuses
}

// The patterns of the catalogue list pages, written with the quote token as
// the search worker writes them.
std::string quoted(std::string_view pattern) {
    std::string out;
    for (const char c : pattern) {
        out += c == '"' ? kQuoteToken : std::string_view(&c, 1);
    }
    return out;
}

TEST(RegexObject, CataloguePatterns) {
    const std::string name_link =
        quoted("<div class=\"DJnameLink\"><a href=\"(.*?)\" target=\"_blank\">(.*?)<i");
    const std::string span =
        quoted("<a href=\"(.*?)\" target=\"_blank\"><span class='(.*?)'>(.*?)</span>");
    const std::string name_link_span = quoted(
        "<div class=\"DJnameLink\"><a href=\"(.*?)\" target=\"_blank\"><span "
        "class='(.*?)'>(.*?)</span>");
    // 曲名一, 舞曲 in code page 936.
    const std::string region =
        "<tr>\r<td><div class=\"DJnameLink\"><a href=\"/play/101.htm\" target=\"_blank\">"
        "<span class='c1'>\xC7\xFA\xC3\xFB\xD2\xBB</span><i class=\"hot\"></i></div></td>\r"
        "<td><DIV CLASS=\"djnamelink\"><A HREF=\"/play/102.htm\" TARGET=\"_blank\">"
        "<SPAN CLASS='c2'>\xCE\xE8\xC7\xFA Mix</SPAN><I></I></DIV></td>\r"
        "<td><div class=\"DJnameLink\"><a href=\"/play/103\n.htm\" target=\"_blank\">"
        "<span class='c1'>broken link</span><i></i></div></td>\r";
    struct Case {
        const char* name;
        std::string pattern;
        int name_group;
        std::vector<std::pair<std::string, std::string>> rows;
    };
    const Case cases[] = {
        {"name-link",
         name_link,
         2,
         {{"/play/101.htm", "<span class='c1'>\xC7\xFA\xC3\xFB\xD2\xBB</span>"},
          {"/play/102.htm", "<SPAN CLASS='c2'>\xCE\xE8\xC7\xFA Mix</SPAN>"}}},
        {"span",
         span,
         3,
         {{"/play/101.htm", "\xC7\xFA\xC3\xFB\xD2\xBB"},
          {"/play/102.htm", "\xCE\xE8\xC7\xFA Mix"}}},
        {"name-link span",
         name_link_span,
         3,
         {{"/play/101.htm", "\xC7\xFA\xC3\xFB\xD2\xBB"},
          {"/play/102.htm", "\xCE\xE8\xC7\xFA Mix"}}},
    };
    for (const Case& c : cases) {
        RegexObject re;
        ASSERT_TRUE(re.execute(c.pattern, region, false, true, true, true)) << c.name;
        std::vector<std::pair<std::string, std::string>> rows;
        for (int i = 1; i <= re.match_count(); ++i) {
            rows.emplace_back(re.submatch_text(i, 1).str(),
                              re.submatch_text(i, c.name_group).str());
        }
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

TEST(RegexObject, MetaCharsetPattern) {
    const std::string pattern = "<meta.+?charset=[^\\w]?([-\\w]+)";
    struct Case {
        std::string head;
        std::string charset;  // empty: no match
    };
    const Case cases[] = {
        {"<html><head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=gb2312\" />\r\n<title>x</title>",
         "gb2312"},
        {"<head><meta charset=\"utf-8\"><title>\xB8\xE8</title>", "utf-8"},
        {"<HEAD><META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html; CHARSET=GB2312\">",
         "GB2312"},
        {"<meta content=\"text/html; charset=big5\">\r\n<meta charset=\"utf-8\">", "big5"},
        {"<meta http-equiv=\"Content-Type\"\ncontent=\"text/html; charset=utf-8\">", ""},
        {"<meta http-equiv=\"Content-Type\"\r\ncontent=\"text/html; charset=utf-8\">", ""},
        {"<meta name=\"x\">\r\n<p>charset=utf-8</p>", ""},
        {"<meta name=\"x\" content=\"\r charset=euc-kr\">", "euc-kr"},  // CR alone is no line end
        {"<title>\xB8\xE8</title>", ""},
    };
    for (const Case& c : cases) {
        RegexObject re;
        ASSERT_TRUE(re.execute(pattern, c.head)) << c.head;
        EXPECT_EQ(re.submatch_text(1, 1), Text(c.charset)) << c.head;
    }
}

}  // namespace
}  // namespace vx
