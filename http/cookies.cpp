#include "http/cookies.h"

#include <string>
#include <unordered_set>

#include "text/text_ops.h"

namespace vx {
namespace {

constexpr std::string_view kDeleted = "=deleted";
constexpr std::string_view kJoin = "; ";

bool is_deleted(std::string_view piece) {
    return piece.size() >= kDeleted.size() &&
           piece.substr(piece.size() - kDeleted.size()) == kDeleted;
}

}  // namespace

Text merge_cookies(Text& old_cookies, Text& new_cookies) {
    Text old_text = remove_all_spaces(old_cookies);
    Text new_text = remove_all_spaces(new_cookies);
    old_cookies = old_text;
    new_cookies = new_text;

    // New pieces come first and are never compared with each other; an old
    // piece joins only when no piece so far carries its name. The set of
    // names gives the same answer as cookie_list_contains on the growing list.
    TextList merged = split(new_text, ";");
    std::unordered_set<std::string> names;
    for (const Text& piece : merged) {
        names.insert(cookie_name(piece).str());
    }
    for (Text& piece : split(old_text, ";")) {
        if (names.insert(cookie_name(piece).str()).second) {
            merged.push_back(std::move(piece));
        }
    }

    std::string joined;
    for (const Text& piece : merged) {
        if (!is_deleted(piece)) {
            joined += piece.str();
            joined += kJoin;
        }
    }
    if (joined.size() >= kJoin.size()) {
        joined.resize(joined.size() - kJoin.size());
    }
    Text result = unique_join(joined, kJoin, true);
    old_cookies = result;
    return result;
}

Text cookie_name(std::string_view cookie) {
    const Position equals = find_first(cookie, "=");
    return trim_spaces(equals == kNotFound ? cookie : cookie.substr(0, equals - 1));
}

bool cookie_list_contains(const TextList& list, std::string_view name) {
    for (const Text& piece : list) {
        if (cookie_name(piece).view() == name) {
            return true;
        }
    }
    return false;
}

Text unique_join(std::string_view text, std::string_view separator, bool by_separator) {
    TextList pieces;
    if (by_separator) {
        pieces = split(text, separator);
    } else {
        split_characters(text, pieces);
    }
    // A set of the pieces seen so far answers as index_in_list would.
    std::unordered_set<std::string_view> seen;
    std::string out;
    for (const Text& piece : pieces) {
        if (seen.insert(piece.view()).second) {
            out += piece.str();
            out += separator;
        }
    }
    out.resize(out.size() >= separator.size() ? out.size() - separator.size() : 0);
    return Text(std::move(out));
}

int split_characters(std::string_view text, TextList& list) {
    list.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = 1;
        if (i + 1 < text.size()) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte >= 0x81 || (byte == '\r' && text[i + 1] == '\n')) {
                length = 2;
            }
        }
        list.emplace_back(text.substr(i, length));
        i += length;
    }
    return static_cast<int>(list.size());
}

int index_in_list(const TextList& list, std::string_view text) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].view() == text) {
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

}  // namespace vx
