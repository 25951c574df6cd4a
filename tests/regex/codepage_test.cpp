#include "text/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vx {
namespace {

// "中文" in code page 936 and in UTF-8.
constexpr std::string_view kZhongWenGbk = "\xD6\xD0\xCE\xC4";
constexpr std::string_view kZhongWenUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";

TEST(Codepage, EmptyInputGivesEmptyOutput) {
    EXPECT_TRUE(cp936_to_utf16("").empty());
    EXPECT_TRUE(utf16_to_cp936(u"").empty());
    EXPECT_TRUE(cp936_to_utf8("").empty());
    EXPECT_TRUE(utf8_to_cp936("").empty());
    EXPECT_EQ(charset_to_cp936("", "utf-8"), Bytes());
    EXPECT_EQ(charset_to_cp936("", "big5"), Bytes());
}

TEST(Codepage, KnownCharactersBothWays) {
    struct Case {
        std::string_view gbk;
        std::u16string_view wide;
        std::string_view utf8;
    };
    const Case cases[] = {
        {"A", u"A", "A"},
        {kZhongWenGbk, u"\u4E2D\u6587", kZhongWenUtf8},
        {"\xA1\xA1", u"\u3000", "\xE3\x80\x80"},  // full-width space
        {"\x80", u"\u20AC", "\xE2\x82\xAC"},      // euro sign, one byte
        {"<a href=\"x\">\xB8\xE8</a>\r\n", u"<a href=\"x\">\u6B4C</a>\r\n",
         "<a href=\"x\">\xE6\xAD\x8C</a>\r\n"},  // 歌
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp936_to_utf16(c.gbk), c.wide);
        EXPECT_EQ(utf16_to_cp936(c.wide), c.gbk);
        EXPECT_EQ(cp936_to_utf8(c.gbk), c.utf8);
        EXPECT_EQ(utf8_to_cp936(c.utf8), c.gbk);
    }
}

// Every character that code page 936 defines comes back as the same bytes,
// so no mapping is one-way in either table.
TEST(Codepage, EveryDefinedCharacterRoundTrips) {
    int defined = 0;
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string wide = cp936_to_utf16(pair);
            if (wide.size() != 1 || wide[0] == u'\uFFFD') {
                continue;
            }
            ++defined;
            ASSERT_EQ(utf16_to_cp936(wide), pair) << std::hex << lead << ' ' << trail;
            ASSERT_EQ(utf8_to_cp936(cp936_to_utf8(pair)), pair) << std::hex << lead << trail;
        }
    }
    EXPECT_GT(defined, 21000);  // GBK holds some 21,886 two-byte characters
}

TEST(Codepage, InvalidAndCutCodePage936) {
    struct Case {
        std::string_view gbk;
        std::u16string_view wide;
    };
    const Case cases[] = {
        {"\xFF", u"\uFFFD"},          // never a character
        {"a\xD6", u"a\uFFFD"},        // lead byte cut off at the end
        {"\xD6<b>", u"\uFFFD<b>"},    // a stray lead byte does not eat the markup
        {"\x81\x7F", u"\uFFFD\x7F"},  // 0x7F is no trail byte
        {"\xA2\xA0z", u"\uFFFDz"},    // undefined pair: one replacement
        {"\xD6\xD0\xFF\xD6\xD0", u"\u4E2D\uFFFD\u4E2D"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp936_to_utf16(c.gbk), c.wide) << c.gbk;
    }
    EXPECT_EQ(cp936_to_utf8("x\xFF"), "x\xEF\xBF\xBD");
}

TEST(Codepage, InvalidAndCutUtf8BecomeQuestionMarks) {
    struct Case {
        std::string_view utf8;
        std::string_view gbk;
    };
    const Case cases[] = {
        {"\xE4\xB8", "?"},             // cut at the end
        {"\xE4\xB8z", "?z"},           // cut in the middle
        {"\xC0\xAF", "??"},            // overlong '/'
        {"\xED\xA0\x80", "???"},       // encoded surrogate
        {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
        {"\x80\xBF", "??"},            // lone continuation bytes
        {"\xFF"
         "ab",
         "?ab"},
        {"\xE4\xB8\xAD\xE4\xB8\xE6\x96\x87", "\xD6\xD0?\xCE\xC4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8_to_cp936(c.utf8), c.gbk) << c.utf8;
    }
}

TEST(Codepage, CharactersWithoutCodePage936Form) {
    EXPECT_EQ(utf8_to_cp936("\xF0\x9F\x8E\xB5x"), "?x");  // U+1F3B5, four bytes, one "?"
    EXPECT_EQ(utf8_to_cp936("\xEA\xB0\x80"), "?");        // Hangul syllable
    EXPECT_EQ(utf16_to_cp936(u"\U0001F3B5x"), "?x");
    EXPECT_EQ(utf16_to_cp936(u"\uAC00"), "?");
    const std::u16string lone_high{u'a', char16_t(0xD83C), u'b'};
    const std::u16string lone_low{char16_t(0xDFB5), u'b'};
    EXPECT_EQ(utf16_to_cp936(lone_high), "a?b");
    EXPECT_EQ(utf16_to_cp936(lone_low), "?b");
    EXPECT_EQ(utf16_to_cp936(u"\uFFFD"), "?");
}

TEST(Codepage, LongAsciiRunsAroundCharacters) {
    // Crosses the eight-byte steps of the ASCII scan at every offset.
    for (std::size_t pad = 0; pad < 20; ++pad) {
        const std::string ascii(pad, 'q');
        const std::string gbk = ascii + std::string(kZhongWenGbk) + ascii;
        const std::string utf8 = ascii + std::string(kZhongWenUtf8) + ascii;
        EXPECT_EQ(cp936_to_utf8(gbk), utf8);
        EXPECT_EQ(utf8_to_cp936(utf8), gbk);
        EXPECT_EQ(utf16_to_cp936(cp936_to_utf16(gbk)), gbk);
    }
}

TEST(Codepage, CharsetNamesDecodeToCodePage936) {
    struct Case {
        std::string_view charset;
        std::string_view body;
        std::string_view gbk;
    };
    const Case cases[] = {
        {"utf-8", kZhongWenUtf8, kZhongWenGbk},
        {"UTF-8", kZhongWenUtf8, kZhongWenGbk},
        {"utf8", kZhongWenUtf8, kZhongWenGbk},
        {"utf-8", "\xEF\xBB\xBF<p>\xEF\xBB\xBF", "<p>?"},  // only a leading BOM goes
        {"GB2312", kZhongWenGbk, kZhongWenGbk},
        {"gbk", "\x81\x40", "\x81\x40"},     // a GBK-only character survives
        {"GB2312", "\x81\x40", "\x81\x40"},  // also when the page says GB2312
        {"big5", "\xA4\xA4\xA4\xE5", kZhongWenGbk},
        {"iso-8859-1", "caf\xE9", "caf\xA8\xA6"},
        {"UTF-16LE", std::string_view("\x2D\x4E\x87\x65", 4), kZhongWenGbk},
        {"windows-1251", "\xC0", "\xA7\xA1"},  // Cyrillic A
        {"utf-8", std::string_view("a\0b", 3), std::string_view("a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(charset_to_cp936(c.body, c.charset), Bytes(c.gbk)) << c.charset;
    }
}

TEST(Codepage, CharsetDecodingReplacesBadInput) {
    EXPECT_EQ(charset_to_cp936("\xA4\xA4\xFF"
                               "a",
                               "big5"),
              Bytes("\xD6\xD0?a"));
    EXPECT_EQ(charset_to_cp936("a\xA4", "big5"), Bytes("a?"));  // cut at the end
    EXPECT_EQ(charset_to_cp936("\xE4\xB8", "utf-8"), Bytes("?"));
    EXPECT_EQ(charset_to_cp936("x\xFF", "GBK"), Bytes("x?"));
    // A stateful charset: the escape sequences leave no trace.
    EXPECT_EQ(charset_to_cp936("\x1B$B$\"\x1B(Ba", "ISO-2022-JP"), Bytes("\xA4\xA2"
                                                                         "a"));
}

TEST(Codepage, UnknownOrUnsafeCharsetName) {
    for (const std::string_view name :
         {"", "no-such-charset", "utf-8//TRANSLIT", "ascii//IGNORE", "utf 8", "latin1,utf8"}) {
        EXPECT_EQ(charset_to_cp936("abc", name), std::nullopt) << name;
    }
}

}  // namespace
}  // namespace vx
