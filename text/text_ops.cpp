#include "text/text_ops.h"

#include <string.h>  // memmem, memrchr

#include <algorithm>
#include <string>

namespace vx {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool is_high(char c) noexcept {
    return static_cast<unsigned char>(c) >= 0x80;
}

char ascii_lower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Whether a character starts at `pos`, given that one starts at `floor` <= pos.
// A character always starts right after a byte below 0x80 (it was either a
// character of its own or a second byte), and a run of high bytes pairs up
// from its first byte; so only the high run just before `pos` matters.
bool starts_character(std::string_view t, std::size_t floor, std::size_t pos) noexcept {
    std::size_t k = 0;
    while (pos - k > floor && is_high(t[pos - k - 1])) {
        ++k;
    }
    return k % 2 == 0;
}

// The first character start at or after `pos`.
std::size_t align_forward(std::string_view t, std::size_t floor, std::size_t pos) noexcept {
    return starts_character(t, floor, pos) ? pos : pos + 1;
}

// ASCII letters at character starts lowered; second bytes stay as they are,
// so that folding never makes two different two-byte characters equal.
std::string fold_case(std::string_view t) {
    std::string out(t);
    for (std::size_t i = 0; i < out.size(); i += character_length(out, i)) {
        out[i] = ascii_lower(out[i]);
    }
    return out;
}

// Library searches run over windows that start small after each candidate
// and double up to a limit while nothing is found. So a text with many
// occurrences at second bytes costs no more than a few passes over it, also
// where the library checks its whole range on every call (as sanitizers do).
constexpr std::size_t kFirstWindow = 256;
constexpr std::size_t kLastWindow = std::size_t{1} << 20;

std::size_t grow(std::size_t window) noexcept {
    return std::min(2 * window, kLastWindow);
}

// First occurrence of a non-empty `sub` at a character start at or after
// `pos`; `floor` <= pos is a known character start that bounds the look-back.
std::size_t find_from(std::string_view t, std::string_view sub, std::size_t pos,
                      std::size_t floor) noexcept {
    pos = align_forward(t, floor, pos);
    std::size_t window = kFirstWindow;
    while (pos < t.size() && sub.size() <= t.size() - pos) {
        const std::size_t span = std::min(t.size() - pos, window + sub.size() - 1);
        const void* hit = memmem(t.data() + pos, span, sub.data(), sub.size());
        if (hit == nullptr) {
            if (pos + span == t.size()) {
                return kNone;
            }
            // Go on where an occurrence could still begin, at a character start.
            pos = align_forward(t, pos, pos + span - sub.size() + 1);
            window = grow(window);
            continue;
        }
        const auto c = static_cast<std::size_t>(static_cast<const char*>(hit) - t.data());
        if (starts_character(t, pos, c)) {
            return c;
        }
        // `c` is a second byte, so the byte after it starts a character.
        pos = c + 1;
        window = kFirstWindow;
    }
    return kNone;
}

// Answers "does a character start here" for positions asked in falling order,
// scanning each run of high bytes only once.
class BackwardStarts {
  public:
    explicit BackwardStarts(std::string_view t) : t_(t) {}

    bool at(std::size_t pos) noexcept {
        if (!known_ || pos < run_start_ || pos > asked_) {
            std::size_t k = 0;
            while (pos - k > 0 && is_high(t_[pos - k - 1])) {
                ++k;
            }
            run_start_ = pos - k;
            asked_ = pos;
            known_ = true;
        }
        return (pos - run_start_) % 2 == 0;
    }

  private:
    std::string_view t_;
    bool known_ = false;
    std::size_t run_start_ = 0;
    std::size_t asked_ = 0;
};

// Last occurrence of a non-empty `sub` at a character start lying wholly
// within the first `limit` bytes.
std::size_t find_last_within(std::string_view t, std::string_view sub, std::size_t limit) noexcept {
    if (sub.size() > limit) {
        return kNone;
    }
    BackwardStarts starts(t);
    std::size_t end = limit - sub.size() + 1;  // candidates lie below `end`
    std::size_t window = kFirstWindow;
    while (end > 0) {
        const std::size_t begin = end > window ? end - window : 0;
        const void* hit = memrchr(t.data() + begin, sub.front(), end - begin);
        if (hit == nullptr) {
            end = begin;
            window = grow(window);
            continue;
        }
        const auto c = static_cast<std::size_t>(static_cast<const char*>(hit) - t.data());
        if (t.compare(c, sub.size(), sub) == 0 && starts.at(c)) {
            return c;
        }
        end = c;
        window = kFirstWindow;
    }
    return kNone;
}

// Walks the occurrences of `sub` left to right, each search continuing after
// the previous occurrence. With ignore-case the search runs over folded
// copies, which keep every byte's place.
class Occurrences {
  public:
    Occurrences(std::string_view text, std::string_view sub, bool ignore_case)
        : hay_(text), sub_(sub) {
        if (ignore_case) {
            folded_text_ = fold_case(text);
            folded_sub_ = fold_case(sub);
            hay_ = folded_text_;
            sub_ = folded_sub_;
        }
    }

    // Next occurrence at or after `pos`, which never goes back between calls.
    std::size_t next(std::size_t pos) noexcept {
        const std::size_t c = find_from(hay_, sub_, pos, floor_);
        if (c != kNone) {
            floor_ = c;
        }
        return c;
    }

  private:
    std::string folded_text_;
    std::string folded_sub_;
    std::string_view hay_;
    std::string_view sub_;
    std::size_t floor_ = 0;
};

Position to_position(std::size_t index) noexcept {
    return index == kNone ? kNotFound : static_cast<Position>(index) + 1;
}

bool is_full_width_space(std::string_view t, std::size_t i) noexcept {
    return i + 1 < t.size() && t[i] == '\xA1' && t[i + 1] == '\xA1';
}

// Length of the space character at `i` (a character start), or 0.
std::size_t space_length(std::string_view t, std::size_t i) noexcept {
    if (t[i] == ' ') {
        return 1;
    }
    return is_full_width_space(t, i) ? 2 : 0;
}

}  // namespace

Position find_first(std::string_view text, std::string_view sub, Position start, bool ignore_case) {
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    if (from >= text.size()) {
        return kNotFound;
    }
    if (sub.empty()) {
        return 1;
    }
    if (!ignore_case) {
        return to_position(find_from(text, sub, from, 0));
    }
    // Fold only from the first character start on; a fold needs aligned input.
    const std::size_t aligned = align_forward(text, 0, from);
    const std::size_t c = find_from(fold_case(text.substr(aligned)), fold_case(sub), 0, 0);
    return c == kNone ? kNotFound : to_position(c + aligned);
}

Position find_last(std::string_view text, std::string_view sub, std::optional<Position> before,
                   bool ignore_case) {
    std::size_t limit = text.size();
    if (before.has_value()) {
        if (*before < 1) {
            return kNotFound;
        }
        limit = std::min(limit, static_cast<std::size_t>(*before - 1));
    }
    if (sub.empty()) {
        return limit > 0 ? 1 : kNotFound;
    }
    if (!ignore_case) {
        return to_position(find_last_within(text, sub, limit));
    }
    return to_position(find_last_within(fold_case(text.substr(0, limit)), fold_case(sub), limit));
}

Text replace_all(std::string_view text, std::string_view from, std::string_view to,
                 bool ignore_case) {
    if (from.empty()) {
        return Text(text);
    }
    Occurrences occurrences(text, from, ignore_case);
    std::string out;
    std::size_t pos = 0;
    for (std::size_t c = occurrences.next(0); c != kNone; c = occurrences.next(pos)) {
        if (out.empty()) {
            out.reserve(text.size());
        }
        out.append(text, pos, c - pos);
        out.append(to);
        pos = c + from.size();
    }
    if (pos == 0) {
        return Text(text);
    }
    out.append(text, pos);
    return Text(std::move(out));
}

Text left(std::string_view text, Position n) {
    if (n <= 0) {
        return Text();
    }
    return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text right(std::string_view text, Position n) {
    if (n <= 0) {
        return Text();
    }
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(n));
    return Text(text.substr(text.size() - count));
}

Text middle(std::string_view text, Position start, Position n) {
    if (n <= 0 || start < 1 || static_cast<std::size_t>(start) > text.size()) {
        return Text();
    }
    return Text(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n)));
}

TextList split(std::string_view text, std::string_view separator) {
    TextList pieces;
    if (text.empty()) {
        return pieces;
    }
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    Occurrences occurrences(text, separator, false);
    std::size_t pos = 0;
    for (std::size_t c = occurrences.next(0); c != kNone; c = occurrences.next(pos)) {
        pieces.emplace_back(text.substr(pos, c - pos));
        pos = c + separator.size();
    }
    if (pos < text.size()) {
        pieces.emplace_back(text.substr(pos));
    }
    return pieces;
}

Text trim_spaces(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t space = space_length(text, i);
        if (space == 0) {
            break;
        }
        i += space;
    }
    const std::size_t first = i;
    std::size_t end = first;  // just after the last character that is not a space
    while (i < text.size()) {
        const std::size_t space = space_length(text, i);
        if (space == 0) {
            i += character_length(text, i);
            end = i;
        } else {
            i += space;
        }
    }
    return Text(text.substr(first, end - first));
}

Text remove_all_spaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t space = space_length(text, i);
        if (space != 0) {
            i += space;
            continue;
        }
        const std::size_t length = character_length(text, i);
        out.append(text, i, length);
        i += length;
    }
    return Text(std::move(out));
}

Text to_upper(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); i += character_length(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z') {
            out[i] = static_cast<char>(out[i] - 32);
        }
    }
    return Text(std::move(out));
}

int character_code(std::string_view text) {
    return text.empty() ? 0 : static_cast<int>(static_cast<signed char>(text.front()));
}

Bytes text_to_bytes(const Text& text) {
    return Bytes(text.str());
}

Text bytes_to_text(std::string_view bytes) {
    return Text(bytes);
}

}  // namespace vx
