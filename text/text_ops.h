#pragma once

// The text operations that the whole program shares. Positions are 1-based
// byte positions, lengths are in bytes and a search that finds nothing gives
// -1. Searches walk the text by characters: a byte of 0x80 or above starts a
// two-byte character, so an occurrence never begins on a second byte.

#include <cstddef>
#include <optional>
#include <string_view>

#include "text/text.h"

namespace vx {

using Position = std::ptrdiff_t;
inline constexpr Position kNotFound = -1;

// First occurrence of `sub` at or after `start` (below 1: the first byte;
// beyond the end: not found). A start on the second byte of a character moves
// on to the next character. With `ignore_case` only ASCII letters fold, and
// only where a character starts: second bytes always compare exactly.
// An empty `sub` is found at 1 when any byte lies at or after `start`.
Position find_first(std::string_view text, std::string_view sub, Position start = 1,
                    bool ignore_case = false);

// Last occurrence of `sub` that lies wholly before `before` (omitted: the
// whole text). An empty `sub` is found at 1 when the searched part is not empty.
Position find_last(std::string_view text, std::string_view sub,
                   std::optional<Position> before = std::nullopt, bool ignore_case = false);

// Every occurrence of `from` replaced by `to`, left to right at character
// starts, continuing after each replacement. An empty `from` changes nothing.
Text replace_all(std::string_view text, std::string_view from, std::string_view to,
                 bool ignore_case = false);

// Byte-wise cuts; they may split a two-byte character. n of 0 or less, or a
// middle start outside the text, gives the empty text; counts beyond the end
// are cut to what is there.
Text left(std::string_view text, Position n);
Text right(std::string_view text, Position n);
Text middle(std::string_view text, Position start, Position n);

// Pieces between separators found at character starts: an empty piece for
// each pair of adjacent separators and for a leading separator, none after a
// trailing one. The empty text gives no pieces; an empty separator gives the
// whole text as one piece.
TextList split(std::string_view text, std::string_view separator);

// Spaces are the ASCII space and the full-width space (bytes A1 A1); tabs and
// line breaks are not spaces.
Text trim_spaces(std::string_view text);
Text remove_all_spaces(std::string_view text);

// Only a to z change; second bytes of two-byte characters never do.
Text to_upper(std::string_view text);

// The first byte as a signed 8-bit number; 0 for the empty text.
int character_code(std::string_view text);

// The text's bytes without an ending zero, and bytes up to the first zero byte.
Bytes text_to_bytes(const Text& text);
Text bytes_to_text(std::string_view bytes);

// Length in bytes of the character that starts at `index` (0-based): 2 for a
// lead byte of 0x80 or above with a byte after it, otherwise 1.
inline std::size_t character_length(std::string_view text, std::size_t index) noexcept {
    return static_cast<unsigned char>(text[index]) >= 0x80 && index + 1 < text.size() ? 2 : 1;
}

}  // namespace vx
