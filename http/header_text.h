#pragma once

// Header blocks are texts of lines separated by "\r\n".

#include <optional>
#include <string_view>

#include "text/text.h"
#include "text/text_ops.h"

namespace vx {

// Each header name capitalised word by word (after the start and after each
// "-"); lines without a colon are dropped; no trailing "\r\n".
Text normalize_header_names(std::string_view headers);

Text capitalize_first_letter(std::string_view text);

// The value of the first line that begins with `name` (case-sensitive): the
// text after the last `name` + ": " in that line, or the empty text.
Text header_value(std::string_view headers, std::string_view name);

// The part after the last `marker` lying wholly within the first `start` - 1
// bytes (omitted: the whole text), or the empty text.
Text text_after_last(std::string_view text, std::string_view marker,
                     std::optional<Position> start = std::nullopt, bool ignore_case = false);

// The part before the first `marker` at or after `start` (0 or less: the first
// byte), always counted from the text's beginning; or the empty text.
Text text_before_first(std::string_view text, std::string_view marker, Position start = 0,
                       bool ignore_case = false);

}  // namespace vx
