#include "skin_engine/skin_format.h"

#include <charconv>

namespace vx::skin {

namespace {

constexpr std::string_view kFormatKey = "format";
constexpr std::string_view kNameKey = "name";
constexpr std::string_view kStyleKey = "widget-style";
constexpr std::string_view kPalettePrefix = "palette.";
constexpr std::string_view kSheetLine = "[style]";

// One line without its ending; a CR before the LF belongs to the ending, so
// files edited on other systems still read.
std::string_view take_line(std::string_view& rest) {
    const auto end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

std::string write_skin(const SkinFile& skin) {
    std::string out;
    out += kSkinMagic;
    out += '\n';
    out += kFormatKey;
    out += '=' + std::to_string(kSkinFormat) + '\n';
    out += std::string(kNameKey) + '=' + skin.name + '\n';
    if (!skin.widget_style.empty()) {
        out += std::string(kStyleKey) + '=' + skin.widget_style + '\n';
    }
    for (const auto& [role, colour] : skin.palette) {
        out += std::string(kPalettePrefix) + role + '=' + colour + '\n';
    }
    out += kSheetLine;
    out += '\n';
    out += skin.style_sheet;
    return out;
}

std::optional<SkinFile> read_skin(std::string_view bytes) {
    if (!bytes.starts_with(kSkinMagic)) {
        return std::nullopt;
    }
    std::string_view rest = bytes;
    if (take_line(rest) != kSkinMagic) {
        return std::nullopt;
    }
    SkinFile skin;
    bool format_seen = false;
    while (!rest.empty()) {
        const std::string_view line = take_line(rest);
        if (line == kSheetLine) {
            skin.style_sheet.assign(rest);
            return format_seen ? std::optional<SkinFile>(std::move(skin)) : std::nullopt;
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view key = line.substr(0, eq);
        const std::string_view value = line.substr(eq + 1);
        if (key == kFormatKey) {
            int format = 0;
            const auto [end, err] =
                std::from_chars(value.data(), value.data() + value.size(), format);
            if (err != std::errc{} || end != value.data() + value.size() || format != kSkinFormat) {
                return std::nullopt;
            }
            format_seen = true;
        } else if (key == kNameKey) {
            skin.name.assign(value);
        } else if (key == kStyleKey) {
            skin.widget_style.assign(value);
        } else if (key.starts_with(kPalettePrefix)) {
            skin.palette.emplace_back(key.substr(kPalettePrefix.size()), value);
        }
        // Other keys belong to later formats of the same number; they are skipped.
    }
    // A skin without its sheet line is cut short.
    return std::nullopt;
}

}  // namespace vx::skin
