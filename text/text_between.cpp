#include "text/text_between.h"

namespace vx {

Text replace_quote_tokens(std::string_view text) {
    return replace_all(text, kQuoteToken, "\"");
}

Text text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                  Position start, bool ignore_case) {
    const Text opening = replace_quote_tokens(start_marker);
    const Text closing = replace_quote_tokens(end_marker);
    // An empty end marker would be "found" at position 1, before any wanted part.
    if (closing.empty()) {
        return Text();
    }
    const Position found = find_first(text, opening, start < 1 ? 1 : start, ignore_case);
    if (found == kNotFound) {
        return Text();
    }
    const Position first = found + static_cast<Position>(opening.size());
    const Position stop = find_first(text, closing, first, ignore_case);
    if (stop == kNotFound) {
        return Text();
    }
    return middle(text, first, stop - first);
}

}  // namespace vx
