#include "http/header_text.h"

#include <string>

namespace vx {

Text normalize_header_names(std::string_view headers) {
    std::string out;
    out.reserve(headers.size());
    for (const Text& line : split(headers, "\r\n")) {
        const Position colon = find_first(line, ":");
        if (colon == kNotFound) {
            continue;  // empty lines and the status line carry no header
        }
        const Text name = left(line, colon - 1);
        std::string new_name;
        if (find_first(name, "-") != kNotFound) {
            // Dashes that end the name give no piece; they come back with the
            // rest of the line below.
            bool first = true;
            for (const Text& word : split(name, "-")) {
                if (!first) {
                    new_name += '-';
                }
                new_name += capitalize_first_letter(word).str();
                first = false;
            }
        } else {
            new_name = capitalize_first_letter(name).str();
        }
        out += new_name;
        out += right(line, static_cast<Position>(line.size() - new_name.size())).str();
        out += "\r\n";
    }
    if (out.size() >= 2) {
        out.resize(out.size() - 2);
    }
    return Text(std::move(out));
}

Text capitalize_first_letter(std::string_view text) {
    std::string out(text);
    if (!out.empty() && out.front() >= 'a' && out.front() <= 'z') {
        out.front() = static_cast<char>(out.front() - 32);
    }
    return Text(std::move(out));
}

Text header_value(std::string_view headers, std::string_view name) {
    const std::string marker = std::string(name) + ": ";
    for (const Text& line : split(headers, "\r\n")) {
        if (line.view().substr(0, name.size()) == name) {
            // The first line that begins with the name decides, even when its
            // own header name is longer.
            return text_after_last(line, marker);
        }
    }
    return Text();
}

Text text_after_last(std::string_view text, std::string_view marker, std::optional<Position> start,
                     bool ignore_case) {
    const Position before = start.value_or(static_cast<Position>(text.size()) + 1);
    const Position found = find_last(text, marker, before, ignore_case);
    if (found == kNotFound) {
        return Text();
    }
    return right(text, static_cast<Position>(text.size() - marker.size()) - found + 1);
}

Text text_before_first(std::string_view text, std::string_view marker, Position start,
                       bool ignore_case) {
    const Position from = start > 0 ? start : 1;
    const Position found = find_first(text, marker, from, ignore_case);
    if (found == kNotFound) {
        return Text();
    }
    return left(text, found - 1);
}

}  // namespace vx
