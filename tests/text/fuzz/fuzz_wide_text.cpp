// Both wide-text conversions over any bytes, and the round trip for text made
// only of valid code page 936 characters.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "http/wide_text.h"

namespace {

// Maps the input onto valid code page 936 characters: ASCII (never zero),
// two-byte characters from the fully assigned GBK block with lead bytes
// 81-A0 (whose second bytes include ASCII letters, "@", "\" and "|") and from
// the GB2312 hanzi rows B0-D7.
std::string valid_text(const std::uint8_t* data, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b < 0x80) {
            out += static_cast<char>(b == 0 ? 'z' : b);
            continue;
        }
        const std::uint8_t next = i + 1 < size ? data[++i] : 0;
        if (b < 0xC0) {
            unsigned trail = 0x40 + next % 0xBE;  // 40..FD
            if (trail >= 0x7F) {
                ++trail;  // 7F is never a second byte
            }
            out += static_cast<char>(0x81 + b % 0x20);
            out += static_cast<char>(trail);
        } else {
            const unsigned lead = 0xB0 + b % 0x28;  // B0..D7
            unsigned trail = 0xA1 + next % 0x5E;    // A1..FE
            if (lead == 0xD7 && trail > 0xF9) {
                trail = 0xF9;  // D7 FA-FE are unassigned
            }
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);

    // Any bytes: a wide text has whole units, one zero unit at its end only.
    const vx::Bytes wide = vx::to_wide_text(raw);
    if (wide.size() % 2 != 0 ||
        (!wide.empty() && wide.substr(wide.size() - 2) != std::string(2, '\0'))) {
        std::abort();
    }
    for (std::size_t i = 0; i + 2 < wide.size(); i += 2) {
        if (wide[i] == '\0' && wide[i + 1] == '\0') {
            std::abort();
        }
    }
    if (vx::to_wide_text(raw, true) != wide.substr(0, wide.empty() ? 0 : wide.size() - 2)) {
        std::abort();
    }
    const vx::Text back = vx::from_wide_text(raw);
    if (back.view().find('\0') != std::string_view::npos) {
        std::abort();
    }

    const std::string text = valid_text(data, size);
    if (vx::from_wide_text(vx::to_wide_text(text)).str() != text) {
        std::abort();
    }
    return 0;
}
