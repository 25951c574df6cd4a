#pragma once

// The UTF-16 form (low byte first) in which texts cross into and out of the
// HTTP stack's interface. Code page 936 in both directions.

#include <string_view>

#include "text/text.h"

namespace vx {

// The empty text gives empty bytes; otherwise the code units followed by one
// zero unit, unless `drop_terminator`.
Bytes to_wide_text(std::string_view text, bool drop_terminator = false);

// Converts the code units of `wide` (an odd last byte is ignored) up to the
// first zero unit.
Text from_wide_text(std::string_view wide);

}  // namespace vx
