#pragma once

// Small valid MP3 files: an ID3v2.3 tag that carries the track's title, so
// that every file differs, then silent MPEG-1 Layer III frames. A file is
// described by its tag and frame count and can be produced piece by piece, so
// that large files are streamed rather than held.

#include <cstddef>
#include <string_view>

#include "text/text.h"

namespace vx {

class SilentMp3 {
  public:
    // 128 kbit/s at 44.1 kHz without padding: 144 * 128000 / 44100 bytes.
    static constexpr std::size_t kFrameSize = 417;
    static constexpr std::size_t kSmallFrameCount = 2;

    // `title` is code page 936 text. `approximate_size` 0 gives a small file;
    // otherwise the file is that size rounded to whole frames (at least one).
    SilentMp3(std::string_view title, std::size_t approximate_size);

    std::size_t size() const noexcept { return tag_.size() + frames_ * kFrameSize; }
    // Appends bytes [offset, offset + count) of the file to `out`, cut at its end.
    void append_range(std::size_t offset, std::size_t count, Bytes& out) const;
    Bytes bytes() const;

  private:
    Bytes tag_;
    std::size_t frames_ = 0;
};

}  // namespace vx
