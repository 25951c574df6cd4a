#pragma once

// Conversions between code page 936 and Unicode over iconv. None of them fails
// on bad input: an invalid or cut sequence becomes U+FFFD (or "?" where the
// output is code page 936), and a character with no code page 936 form becomes "?".

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace vx {

std::u16string cp936_to_utf16(std::string_view text);
Bytes utf16_to_cp936(std::u16string_view text);

std::string cp936_to_utf8(std::string_view text);
Bytes utf8_to_cp936(std::string_view text);

// Decodes `bytes` written in the charset that a page names into code page 936.
// nullopt when iconv does not know the name.
std::optional<Bytes> charset_to_cp936(std::string_view bytes, std::string_view charset);

}  // namespace vx
