#pragma once

// Turning a track's name, as the list page gave it, into a file name that can
// only ever land directly in the program's directory.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vx {

// The longest file name the usual Linux file systems take, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// The UTF-8 file name, ".mp3" included, for the track named `name` (code page
// 936). Characters that file names may not hold become "_", leading and
// trailing spaces and dots go, and an over-long name is shortened at a
// character boundary. nullopt when nothing usable is left.
std::optional<std::string> track_file_name(std::string_view name);

}  // namespace vx
