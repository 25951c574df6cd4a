#pragma once

// The skin file: the four bytes ".SHE" and a line break, a format line, then
// "key=value" lines up to a line "[style]", and after it a Qt style sheet.
// Plain C++ so that the skin table and the engine library share it.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vx::skin {

inline constexpr std::string_view kSkinMagic = ".SHE";
inline constexpr int kSkinFormat = 1;

struct SkinFile {
    std::string name;
    // Qt widget style the sheet is written for ("Fusion"); empty keeps the current one.
    std::string widget_style;
    // Palette role name (as in palette_roles()) and colour "#RRGGBB".
    std::vector<std::pair<std::string, std::string>> palette;
    std::string style_sheet;
};

std::string write_skin(const SkinFile& skin);

// nullopt when the bytes are not a skin of a format we know.
std::optional<SkinFile> read_skin(std::string_view bytes);

}  // namespace vx::skin
