#pragma once

// A skin is derived from a handful of numbers: the hue and tint of its
// surfaces, the hue and strength of its accent, light or dark. Every colour
// that text is drawn on is paired with a text colour pushed far enough away
// to stay legible.

#include <string>
#include <string_view>

#include "skin_engine/skin_format.h"

namespace vx::skin {

struct ThemeSeed {
    std::string_view name;
    double surface_hue = 0;  // degrees
    double accent_hue = 0;   // degrees
    double tint = 0;         // saturation of the surfaces, 0 (grey) to about 0.5
    double vividness = 0;    // saturation of the accent, 0 to 1
    bool dark = false;
};

// Text on its background, by the palette roles that the skin file names.
struct ContrastPair {
    std::string_view text_role;
    std::string_view background_role;
    double minimum;
};

// The pairs that every skin keeps apart; the skin table holds to them and
// its tests check them.
inline constexpr ContrastPair kLegiblePairs[] = {
    {"window-text", "window", 7.0},        {"text", "base", 7.0},
    {"text", "alternate-base", 7.0},       {"button-text", "button", 7.0},
    {"button-text", "button-hover", 4.5},  {"pressed-text", "pressed", 4.5},
    {"header-text", "header", 7.0},        {"highlighted-text", "highlight", 4.5},
    {"selection-text", "selection", 7.0},  {"text", "row-hover", 7.0},
    {"muted-text", "window", 4.5},         {"muted-text", "base", 4.5},
    {"tooltip-text", "tooltip-base", 7.0}, {"placeholder-text", "base", 3.0},
};

SkinFile theme_skin(const ThemeSeed& seed);

}  // namespace vx::skin
