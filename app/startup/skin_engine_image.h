#pragma once

// The skin engine library's image, carried inside the program by the build.

#include <span>

namespace vx {

std::span<const unsigned char> skin_engine_image();

}  // namespace vx
