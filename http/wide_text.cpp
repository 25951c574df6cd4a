#include "http/wide_text.h"

#include <string>

#include "text/codepage.h"

namespace vx {

Bytes to_wide_text(std::string_view text, bool drop_terminator) {
    // The source is read as a zero-terminated text.
    text = text.substr(0, text.find('\0'));
    if (text.empty()) {
        return Bytes();
    }
    const std::u16string units = cp936_to_utf16(text);
    Bytes wide;
    wide.reserve(2 * units.size() + 2);
    for (const char16_t unit : units) {
        wide.push_back(static_cast<char>(unit & 0xFF));
        wide.push_back(static_cast<char>(unit >> 8));
    }
    if (!drop_terminator) {
        wide.append(2, '\0');
    }
    return wide;
}

Text from_wide_text(std::string_view wide) {
    std::u16string units;
    units.reserve(wide.size() / 2);
    for (std::size_t i = 0; i + 1 < wide.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(wide[i]) |
                                                static_cast<unsigned char>(wide[i + 1]) << 8);
        // A zero unit ends the text; what follows it is never read.
        if (unit == 0) {
            break;
        }
        units.push_back(unit);
    }
    return Text(utf16_to_cp936(units));
}

}  // namespace vx
