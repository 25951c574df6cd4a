// find_first, find_last, replace_all and split against a plain reference that
// walks the text character by character; trim and space removal alongside.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_ops.h"

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Whether `sub` matches at byte i of `text`, folding ASCII letters that start
// a character of `sub` when asked.
bool matches_at(std::string_view text, std::size_t i, std::string_view sub, bool ignore_case) {
    if (sub.size() > text.size() - i) {
        return false;
    }
    for (std::size_t j = 0; j < sub.size(); j += vx::character_length(sub, j)) {
        const std::size_t n = vx::character_length(sub, j);
        for (std::size_t k = 0; k < n; ++k) {
            const bool fold = ignore_case && k == 0;
            const char a = fold ? lower(text[i + j + k]) : text[i + j + k];
            const char b = fold ? lower(sub[j + k]) : sub[j + k];
            if (a != b) {
                return false;
            }
        }
    }
    return true;
}

vx::Position reference_first(std::string_view text, std::string_view sub, vx::Position start,
                             bool ignore_case) {
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    if (from >= text.size()) {
        return vx::kNotFound;
    }
    if (sub.empty()) {
        return 1;
    }
    for (std::size_t i = 0; i < text.size(); i += vx::character_length(text, i)) {
        if (i >= from && matches_at(text, i, sub, ignore_case)) {
            return static_cast<vx::Position>(i) + 1;
        }
    }
    return vx::kNotFound;
}

vx::Position reference_last(std::string_view text, std::string_view sub,
                            std::optional<vx::Position> before, bool ignore_case) {
    const vx::Position limit = before.has_value() ? std::min<vx::Position>(*before - 1, text.size())
                                                  : static_cast<vx::Position>(text.size());
    if (sub.empty()) {
        return limit >= 1 ? 1 : vx::kNotFound;
    }
    vx::Position found = vx::kNotFound;
    for (std::size_t i = 0; i < text.size(); i += vx::character_length(text, i)) {
        if (static_cast<vx::Position>(i + sub.size()) <= limit &&
            matches_at(text, i, sub, ignore_case)) {
            found = static_cast<vx::Position>(i) + 1;
        }
    }
    return found;
}

// Occurrences begin at character starts of the text itself, so a search that
// goes on after a replacement skips the second byte of a cut character.
std::string reference_replace(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::vector<bool> starts(text.size(), false);
    for (std::size_t i = 0; i < text.size(); i += vx::character_length(text, i)) {
        starts[i] = true;
    }
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (starts[i] && matches_at(text, i, from, false)) {
            out += to;
            i += from.size();
        } else {
            out += text[i];
            ++i;
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string sub = in.ConsumeRandomLengthString(8);
    const std::string to = in.ConsumeRandomLengthString(8);
    const auto start = in.ConsumeIntegralInRange<vx::Position>(-2, 200);
    const bool ignore_case = in.ConsumeBool();
    const bool bounded = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    if (vx::find_first(text, sub, start, ignore_case) !=
        reference_first(text, sub, start, ignore_case)) {
        std::abort();
    }
    const std::optional<vx::Position> before = bounded ? std::optional(start) : std::nullopt;
    if (vx::find_last(text, sub, before, ignore_case) !=
        reference_last(text, sub, before, ignore_case)) {
        std::abort();
    }
    // The reference never rescans, but cut at the first zero as a Text is.
    if (vx::replace_all(text, sub, to).str() != vx::Text(reference_replace(text, sub, to)).str()) {
        std::abort();
    }

    // The rest holds for texts as a Text holds them, without a zero byte.
    if (text.find('\0') != std::string::npos || sub.find('\0') != std::string::npos) {
        return 0;
    }
    // Joining the pieces gives the text back, less a trailing separator.
    const vx::TextList pieces = vx::split(text, sub);
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        joined += (i == 0 ? "" : sub) + pieces[i].str();
    }
    if (!sub.empty() && joined != text && joined + sub != text) {
        std::abort();
    }

    const vx::Text trimmed = vx::trim_spaces(text);
    if (vx::remove_all_spaces(trimmed) != vx::remove_all_spaces(text) ||
        vx::trim_spaces(trimmed) != trimmed || vx::to_upper(text).size() != text.size()) {
        std::abort();
    }
    return 0;
}
