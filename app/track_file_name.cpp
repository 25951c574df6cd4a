#include "app/track_file_name.h"

#include <vector>

#include "text/codepage.h"
#include "text/text_ops.h"

namespace vx {
namespace {

constexpr std::string_view kExtension = ".mp3";
constexpr std::string_view kFullWidthSpace = "\xA1\xA1";  // 　

bool unsafe_byte(unsigned char byte) {
    if (byte < 0x20 || byte == 0x7F) {
        return true;
    }
    constexpr std::string_view kReserved = "\\/:*?\"<>|";
    return kReserved.find(static_cast<char>(byte)) != std::string_view::npos;
}

bool trimmed_character(std::string_view character) {
    return character == " " || character == "." || character == kFullWidthSpace;
}

// The name cut into code page 936 characters, so that a second byte that
// happens to equal "\" or "|" stays part of its character.
std::vector<std::string_view> characters_of(std::string_view name) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = character_length(name, i);
        characters.push_back(name.substr(i, length));
        i += length;
    }
    return characters;
}

void trim(std::vector<std::string_view>& characters) {
    std::size_t first = 0;
    while (first < characters.size() && trimmed_character(characters[first])) {
        ++first;
    }
    std::size_t last = characters.size();
    while (last > first && trimmed_character(characters[last - 1])) {
        --last;
    }
    characters =
        std::vector<std::string_view>(characters.begin() + static_cast<std::ptrdiff_t>(first),
                                      characters.begin() + static_cast<std::ptrdiff_t>(last));
}

std::string to_utf8(const std::vector<std::string_view>& characters) {
    std::string joined;
    for (const std::string_view character : characters) {
        joined += character;
    }
    std::string utf8 = cp936_to_utf8(joined);
    // A malformed byte pair may decode to a separator of its own; nothing that
    // comes out of the conversion may name another directory.
    for (char& byte : utf8) {
        if (byte == '/' || static_cast<unsigned char>(byte) < 0x20) {
            byte = '_';
        }
    }
    return utf8;
}

}  // namespace

std::optional<std::string> track_file_name(std::string_view name) {
    std::vector<std::string_view> characters = characters_of(name);
    for (std::string_view& character : characters) {
        if (character.size() == 1 && unsafe_byte(static_cast<unsigned char>(character[0]))) {
            character = "_";
        }
    }
    trim(characters);

    // Every character takes at least one byte in UTF-8, so no more than this
    // many can fit; cutting first keeps the loop below short for huge names.
    constexpr std::size_t kRoom = kMaxFileNameBytes - kExtension.size();
    if (characters.size() > kRoom) {
        characters.resize(kRoom);
    }
    std::string utf8 = to_utf8(characters);
    while (!characters.empty() && utf8.size() > kRoom) {
        characters.pop_back();
        utf8 = to_utf8(characters);
    }
    // Shortening may have left a space or a dot at the end.
    const std::size_t kept = characters.size();
    trim(characters);
    if (characters.size() != kept) {
        utf8 = to_utf8(characters);
    }

    if (utf8.empty() || utf8 == "." || utf8 == "..") {
        return std::nullopt;
    }
    return utf8 + std::string(kExtension);
}

}  // namespace vx
