#pragma once

// Generated pages shaped like the ones the program reads, for the benchmarks.

#include <cstddef>
#include <string>

namespace vx::bench {

// The track table of a catalogue list page in code page 936, CR line ends,
// one name-link span row per track.
std::string catalogue_region(std::size_t rows);

// An HTML page of about `bytes` bytes in UTF-8, some 40% of its bytes Chinese text.
std::string utf8_page(std::size_t bytes);

}  // namespace vx::bench
