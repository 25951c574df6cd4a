#include "skin_engine/skin_format.h"

#include <gtest/gtest.h>

#include <string>

namespace vx::skin {
namespace {

TEST(SkinFormat, WrittenSkinReadsBack) {
    SkinFile skin;
    skin.name = "Test";
    skin.widget_style = "Fusion";
    skin.palette = {{"window", "#FFFFFF"}, {"text", "#102030"}};
    skin.style_sheet = "QWidget { color: #102030; }\n[style]\nline=after the sheet line\n";

    const std::string bytes = write_skin(skin);
    ASSERT_TRUE(bytes.starts_with(".SHE"));
    const auto back = read_skin(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->name, skin.name);
    EXPECT_EQ(back->widget_style, skin.widget_style);
    EXPECT_EQ(back->palette, skin.palette);
    // Everything after the first sheet line is the sheet, byte for byte.
    EXPECT_EQ(back->style_sheet, skin.style_sheet);
}

TEST(SkinFormat, ToleratesCrLfCommentsAndLaterKeys) {
    const auto skin = read_skin(
        ".SHE\r\nformat=1\r\n# note\r\n\r\nshadow-depth=3\r\npalette.base=#000000\r\n[style]\r\nX "
        "{}");
    ASSERT_TRUE(skin.has_value());
    ASSERT_EQ(skin->palette.size(), 1u);
    EXPECT_EQ(skin->palette[0].first, "base");
    EXPECT_EQ(skin->palette[0].second, "#000000");
    EXPECT_EQ(skin->style_sheet, "X {}");
}

TEST(SkinFormat, RejectsWhatIsNotASkin) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"no magic", "SHE\nformat=1\n[style]\n"},
        {"lower-case magic", ".she\nformat=1\n[style]\n"},
        {"magic not alone on its line", ".SHEX\nformat=1\n[style]\n"},
        {"magic only", ".SHE"},
        {"no format line", ".SHE\nname=x\n[style]\nQWidget{}"},
        {"unknown format", ".SHE\nformat=2\n[style]\n"},
        {"format not a number", ".SHE\nformat=1x\n[style]\n"},
        {"no sheet line (cut short)", ".SHE\nformat=1\npalette.base=#000000\n"},
        {"line without '='", ".SHE\nformat=1\ngarbage\n[style]\n"},
        {"zero byte in magic", std::string(".SH\0E\nformat=1\n[style]\n", 21)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(read_skin(c.bytes).has_value()) << c.what;
    }
}

}  // namespace
}  // namespace vx::skin
