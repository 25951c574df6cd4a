#pragma once

// The program's 50 skins, numbered 1 to 50. Entry 30 repeats entry 8, so 49
// distinct skin files are carried.

#include <optional>

#include "text/text.h"

namespace vx {

inline constexpr int kSkinCount = 50;

// The skin file of entry `number`; nullopt outside 1 to 50.
std::optional<Bytes> skin_table_entry(int number);

}  // namespace vx
