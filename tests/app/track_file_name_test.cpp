#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/track_file_name.h"
#include "text/codepage.h"

namespace vx {
namespace {

struct NameCase {
    std::string name;  // code page 936
    std::optional<std::string> file;
};

class TrackFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(TrackFileNameTest, MakesTheNameSafe) {
    EXPECT_EQ(track_file_name(GetParam().name), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TrackFileNameTest,
    ::testing::Values(
        NameCase{"DJ - Song Vol.3", "DJ - Song Vol.3.mp3"},
        NameCase{"a\\b/c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j.mp3"},
        NameCase{"../../etc/passwd", "_.._etc_passwd.mp3"},
        NameCase{"tab\there\x7F", "tab_here_.mp3"},
        // Leading and trailing spaces, full-width spaces and dots go; inner ones stay.
        NameCase{" \xA1\xA1. a b .\xA1\xA1 ", "a b.mp3"},
        // 音乐 in UTF-8.
        NameCase{"\xD2\xF4\xC0\xD6", "\xE9\x9F\xB3\xE4\xB9\x90.mp3"},
        // Second bytes that equal "\" and "|" belong to their characters:
        // 乗 (81 5C) and 亅 (81 7C) in UTF-8.
        NameCase{"\x81\x5C\x81\x7C", "\xE4\xB9\x97\xE4\xBA\x85.mp3"},
        // A full-width space's bytes inside other characters are not a space:
        // 啊 (B0 A1) then 　 at the end.
        NameCase{"\xB0\xA1\xA1\xA1", "\xE5\x95\x8A.mp3"}, NameCase{"", std::nullopt},
        NameCase{".", std::nullopt}, NameCase{"..", std::nullopt},
        NameCase{" . \xA1\xA1 .. ", std::nullopt}));

TEST(TrackFileNameLengthTest, ShortensAtACharacterBoundaryKeepingTheExtension) {
    // 音 takes two bytes in code page 936 and three in UTF-8.
    std::string wide;
    for (int i = 0; i < 200; ++i) {
        wide += "\xD2\xF4";
    }
    const std::string ascii(400, 'a');
    for (const std::string& name : {wide, ascii, "x" + wide}) {
        const auto file = track_file_name(name);
        ASSERT_TRUE(file.has_value());
        EXPECT_LE(file->size(), kMaxFileNameBytes);
        EXPECT_GT(file->size(), kMaxFileNameBytes - 3);
        EXPECT_TRUE(file->ends_with(".mp3"));
        const std::string stem = file->substr(0, file->size() - 4);
        // Whole characters only: the stem goes back to code page 936 as a
        // prefix of the name.
        EXPECT_TRUE(name.starts_with(utf8_to_cp936(stem))) << *file;
    }
}

TEST(TrackFileNameLengthTest, NoTrailingDotOrSpaceAfterShortening) {
    const std::string name = std::string(250, 'a') + " . tail";
    EXPECT_EQ(track_file_name(name), std::string(250, 'a') + ".mp3");
}

TEST(TrackFileNameTest, MalformedBytesNeverNameAnotherDirectory) {
    // Lead bytes followed by bytes no second byte may be: whatever the
    // conversion makes of them, the result stays one plain file name.
    for (const std::string name : {"a\x81/b", "\xFE/\xFE/", "\x80\x0A\x81", "x\xFF"}) {
        const auto file = track_file_name(name);
        ASSERT_TRUE(file.has_value()) << name;
        EXPECT_EQ(file->find('/'), std::string::npos) << *file;
        for (const char byte : *file) {
            EXPECT_GE(static_cast<unsigned char>(byte), 0x20) << *file;
        }
    }
}

}  // namespace
}  // namespace vx
