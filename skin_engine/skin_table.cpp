#include "skin_engine/skin_table.h"

#include <array>

#include "skin_engine/skin_format.h"
#include "skin_engine/skin_theme.h"

namespace vx {

namespace {

using skin::ThemeSeed;

// One seed per distinct skin, in entry order with entry 30 left out.
// Fields: name, surface hue, accent hue, tint, accent vividness, dark.
constexpr std::array<ThemeSeed, 49> kSeeds = {{
    {"Linen", 35, 25, 0.30, 0.55, false},
    {"Sage", 100, 140, 0.18, 0.35, false},
    {"Harbour", 205, 200, 0.25, 0.60, false},
    {"Slate Night", 215, 210, 0.18, 0.55, true},
    {"Rose Quartz", 345, 340, 0.30, 0.50, false},
    {"Meadow", 95, 120, 0.25, 0.45, false},
    {"Graphite", 220, 200, 0.06, 0.50, true},
    {"Porcelain", 214, 211, 0.22, 0.62, false},  // the program's own
    {"Sandstone", 30, 18, 0.28, 0.55, false},
    {"Lagoon", 180, 185, 0.25, 0.55, false},
    {"Midnight", 230, 225, 0.30, 0.60, true},
    {"Lavender", 265, 262, 0.28, 0.45, false},
    {"Pine", 150, 145, 0.20, 0.45, true},
    {"Apricot", 28, 22, 0.40, 0.65, false},
    {"Glacier", 195, 200, 0.30, 0.55, false},
    {"Plain Grey", 0, 210, 0.00, 0.50, false},
    {"Espresso", 25, 30, 0.20, 0.50, true},
    {"Orchid", 300, 295, 0.20, 0.45, false},
    {"Moss", 80, 85, 0.22, 0.45, false},
    {"Cobalt", 222, 225, 0.30, 0.70, false},
    {"Ember", 10, 15, 0.18, 0.65, true},
    {"Pearl", 40, 210, 0.10, 0.50, false},
    {"Teal Deep", 185, 175, 0.30, 0.55, true},
    {"Honey", 45, 38, 0.45, 0.65, false},
    {"Mulberry", 320, 325, 0.20, 0.50, true},
    {"Mint", 155, 160, 0.30, 0.50, false},
    {"Storm", 210, 215, 0.12, 0.35, false},
    {"Ink", 240, 250, 0.15, 0.50, true},
    {"Coral", 12, 8, 0.35, 0.60, false},
    {"Seafoam", 165, 170, 0.28, 0.45, false},
    {"Aubergine", 285, 280, 0.22, 0.50, true},
    {"Wheat", 42, 30, 0.30, 0.50, false},
    {"Denim", 215, 218, 0.20, 0.45, false},
    {"Forest", 130, 120, 0.20, 0.45, true},
    {"Blush", 355, 350, 0.35, 0.45, false},
    {"Steel", 200, 205, 0.08, 0.40, false},
    {"Charcoal", 0, 20, 0.00, 0.60, true},
    {"Citrus", 60, 75, 0.35, 0.60, false},
    {"Azure", 200, 205, 0.45, 0.70, false},
    {"Plum", 280, 285, 0.20, 0.45, false},
    {"Deep Sea", 200, 190, 0.35, 0.55, true},
    {"Terracotta", 18, 12, 0.30, 0.55, false},
    {"Jade", 160, 165, 0.22, 0.55, false},
    {"Dusk", 260, 270, 0.22, 0.55, true},
    {"Cream", 48, 35, 0.40, 0.45, false},
    {"Iris", 245, 248, 0.30, 0.60, false},
    {"Olive", 70, 65, 0.20, 0.45, false},
    {"Obsidian", 260, 190, 0.08, 0.60, true},
    {"Cloud", 210, 210, 0.06, 0.30, false},
}};

constexpr int kRepeatedEntry = 30;
constexpr int kRepeatedSource = 8;

}  // namespace

std::optional<Bytes> skin_table_entry(int number) {
    if (number < 1 || number > kSkinCount) {
        return std::nullopt;
    }
    if (number == kRepeatedEntry) {
        number = kRepeatedSource;
    }
    const int seed = number < kRepeatedEntry ? number - 1 : number - 2;
    return skin::write_skin(skin::theme_skin(kSeeds[static_cast<std::size_t>(seed)]));
}

}  // namespace vx
