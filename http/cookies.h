#pragma once

// Cookie texts are name=value pieces separated by ";"; merged ones are joined
// by "; " exactly.

#include <string_view>

#include "text/text.h"

namespace vx {

// Merges the cookies a server set (`new_cookies`) into those that were sent
// (`old_cookies`). On return `old_cookies` holds the merged text, which is also
// returned, and `new_cookies` its former value without spaces.
Text merge_cookies(Text& old_cookies, Text& new_cookies);

Text cookie_name(std::string_view cookie);
bool cookie_list_contains(const TextList& list, std::string_view name);

// The pieces of `text` (split at `separator`, or its characters when
// `by_separator` is false) without repeats, joined by `separator`.
Text unique_join(std::string_view text, std::string_view separator, bool by_separator);

// Replaces `list` by the characters of `text` (a lead byte of 0x81 or above
// with its next byte, CR LF as one) and returns their number.
int split_characters(std::string_view text, TextList& list);

// 1-based index of the first member equal to `text`, or -1.
int index_in_list(const TextList& list, std::string_view text);

}  // namespace vx
