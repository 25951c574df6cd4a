#include "skin_engine/skin_colour.h"

#include <gtest/gtest.h>

namespace vx::skin {
namespace {

TEST(SkinColour, HslToHex) {
    struct Case {
        double h, s, l;
        const char* hex;
    };
    const Case cases[] = {
        {0, 0, 0, "#000000"},     {0, 0, 1, "#FFFFFF"},       {0, 1, 0.5, "#FF0000"},
        {120, 1, 0.5, "#00FF00"}, {240, 1, 0.5, "#0000FF"},   {-120, 1, 0.5, "#0000FF"},
        {480, 1, 0.5, "#00FF00"}, {210, 0.5, 0.4, "#336699"}, {0, 0, 0.5, "#808080"},
        {30, 2.0, -1, "#000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(to_hex(from_hsl(c.h, c.s, c.l)), c.hex) << c.h << " " << c.s << " " << c.l;
    }
}

TEST(SkinColour, HexReadsBackAndRejectsOtherForms) {
    const auto colour = from_hex("#336699");
    ASSERT_TRUE(colour.has_value());
    EXPECT_EQ(to_hex(*colour), "#336699");
    EXPECT_EQ(to_hex(*from_hex("#abcdef")), "#ABCDEF");
    for (const char* bad : {"", "#", "336699", "#33669", "#3366999", "#33669G", "red"}) {
        EXPECT_FALSE(from_hex(bad).has_value()) << bad;
    }
}

TEST(SkinColour, ContrastRatio) {
    const Rgb black{0, 0, 0};
    const Rgb white{1, 1, 1};
    EXPECT_NEAR(contrast(black, white), 21.0, 1e-9);
    EXPECT_NEAR(contrast(white, black), 21.0, 1e-9);
    EXPECT_NEAR(contrast(white, white), 1.0, 1e-9);
    // #767676 on white is the classic just-legible grey (4.54:1).
    EXPECT_NEAR(contrast(*from_hex("#767676"), white), 4.54, 0.01);
}

}  // namespace
}  // namespace vx::skin
