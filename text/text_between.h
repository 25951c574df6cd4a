#pragma once

#include <string_view>

#include "text/text.h"
#include "text/text_ops.h"

namespace vx {

// The quote token "#引号" (23 D2 FD BA C5): stands for one double quote inside
// markers and patterns, which are otherwise hard to write in the page markup.
inline constexpr std::string_view kQuoteToken = "#\xD2\xFD\xBA\xC5";

// Every quote token replaced by a double quote, left to right, never rescanning.
Text replace_quote_tokens(std::string_view text);

// The part of `text` between the first `start_marker` at or after `start`
// (below 1: the first byte) and the first `end_marker` after it; the empty
// text when either is missing. Markers may hold the quote token.
Text text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                  Position start = 0, bool ignore_case = false);

}  // namespace vx
