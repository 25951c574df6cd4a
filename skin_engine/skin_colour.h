#pragma once

// Colour arithmetic for building skins: HSL in, "#RRGGBB" out, and the
// contrast ratio that keeps text legible on its background.

#include <optional>
#include <string>
#include <string_view>

namespace vx::skin {

struct Rgb {
    double r = 0;  // 0 to 1
    double g = 0;
    double b = 0;
};

// Hue in degrees (any value, taken modulo 360), saturation and lightness 0 to 1.
Rgb from_hsl(double hue, double saturation, double lightness);

std::string to_hex(const Rgb& colour);
// "#RRGGBB" only; nullopt for anything else.
std::optional<Rgb> from_hex(std::string_view text);

// Relative luminance and contrast ratio (1 to 21) as the accessibility guidelines define them.
double luminance(const Rgb& colour);
double contrast(const Rgb& a, const Rgb& b);

}  // namespace vx::skin
