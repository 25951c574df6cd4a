#include "app/startup/skin_engine_image.h"

// The build names the library file in VX_SKIN_ENGINE_FILE and rebuilds this
// file whenever the library changes.
asm(".pushsection .rodata\n"
    ".balign 16\n"
    "vx_skin_engine_image_begin:\n"
    ".incbin \"" VX_SKIN_ENGINE_FILE
    "\"\n"
    "vx_skin_engine_image_end:\n"
    ".popsection\n");

extern "C" const unsigned char vx_skin_engine_image_begin[];
extern "C" const unsigned char vx_skin_engine_image_end[];

namespace vx {

std::span<const unsigned char> skin_engine_image() {
    return {vx_skin_engine_image_begin, vx_skin_engine_image_end};
}

}  // namespace vx
