#include "skin_engine/skin_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "skin_engine/skin_colour.h"
#include "skin_engine/skin_format.h"
#include "skin_engine/skin_theme.h"

namespace vx {
namespace {

TEST(SkinTable, FiftyEntriesFortyNineFiles) {
    std::set<Bytes> distinct;
    for (int number = 1; number <= kSkinCount; ++number) {
        const auto entry = skin_table_entry(number);
        ASSERT_TRUE(entry.has_value()) << number;
        EXPECT_TRUE(entry->starts_with(".SHE")) << number;
        distinct.insert(*entry);
    }
    EXPECT_EQ(distinct.size(), 49u);
    EXPECT_EQ(skin_table_entry(8), skin_table_entry(30));
    EXPECT_NE(skin_table_entry(8), skin_table_entry(29));
    EXPECT_NE(skin_table_entry(8), skin_table_entry(31));
}

TEST(SkinTable, NumbersOutsideTheTableHaveNoEntry) {
    for (const int number : {0, -1, 51, 1000, -2147483647 - 1}) {
        EXPECT_FALSE(skin_table_entry(number).has_value()) << number;
    }
}

// Every skin reads as a skin and keeps each text colour far enough from the
// colour it is drawn on; the sheet names only colours the skin defines.
TEST(SkinTable, EverySkinIsWholeAndLegible) {
    for (int number = 1; number <= kSkinCount; ++number) {
        const auto skin = skin::read_skin(*skin_table_entry(number));
        ASSERT_TRUE(skin.has_value()) << number;
        EXPECT_FALSE(skin->name.empty()) << number;
        EXPECT_EQ(skin->style_sheet.find('@'), std::string::npos) << number;
        EXPECT_NE(skin->style_sheet.find("QTreeView"), std::string::npos) << number;

        std::map<std::string, skin::Rgb> colours;
        for (const auto& [role, value] : skin->palette) {
            const auto colour = skin::from_hex(value);
            ASSERT_TRUE(colour.has_value()) << number << " " << role << "=" << value;
            colours[role] = *colour;
        }
        for (const skin::ContrastPair& pair : skin::kLegiblePairs) {
            const auto text = colours.find(std::string(pair.text_role));
            const auto background = colours.find(std::string(pair.background_role));
            ASSERT_NE(text, colours.end()) << number << " " << pair.text_role;
            ASSERT_NE(background, colours.end()) << number << " " << pair.background_role;
            EXPECT_GE(skin::contrast(text->second, background->second), pair.minimum)
                << "skin " << number << " (" << skin->name << "): " << pair.text_role << " on "
                << pair.background_role;
        }
    }
}

}  // namespace
}  // namespace vx
