#include "demo/silent_mp3.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <string>
#include <type_traits>

namespace vx {
namespace {

// Frame sync, MPEG-1, Layer III, no CRC; 128 kbit/s, 44.1 kHz, no padding;
// joint stereo, original. The rest of the frame, side information included,
// is zero: no main data, so every granule decodes as silence.
constexpr std::array<unsigned char, 4> kFrameHeader = {0xFF, 0xFB, 0x90, 0x44};

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Converter open_converter(const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return nullptr;
    }
    return Converter(cd);
}

// UTF-16LE of a code page 936 title; an undecodable byte becomes "?".
std::string title_utf16le(std::string_view title) {
    std::string out;
    const Converter converter = open_converter("UTF-16LE", "CP936");
    if (!converter) {
        for (const char c : title) {
            out += static_cast<unsigned char>(c) < 0x80 ? c : '?';
            out += '\0';
        }
        return out;
    }
    std::string input(title);
    char* in = input.data();
    std::size_t in_left = input.size();
    std::array<char, 256> buffer{};
    while (in_left > 0) {
        char* out_ptr = buffer.data();
        std::size_t out_left = buffer.size();
        const std::size_t result = iconv(converter.get(), &in, &in_left, &out_ptr, &out_left);
        out.append(buffer.data(), buffer.size() - out_left);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += "?";
            out += '\0';
            ++in;
            --in_left;
        }
    }
    return out;
}

void put_be32(std::string& out, std::size_t value, int bits_per_byte) {
    const unsigned mask = (1u << bits_per_byte) - 1;
    for (int shift = 3; shift >= 0; --shift) {
        out += static_cast<char>((value >> (shift * bits_per_byte)) & mask);
    }
}

Bytes id3_title_tag(std::string_view title) {
    Bytes frame_text;
    frame_text += '\x01';  // UTF-16 with a byte order mark
    frame_text += "\xFF\xFE";
    frame_text += title_utf16le(title);

    Bytes frames = "TIT2";
    put_be32(frames, frame_text.size(), 8);
    frames += std::string(2, '\0');  // frame flags
    frames += frame_text;

    Bytes tag = "ID3";
    tag += '\x03';  // version 2.3.0
    tag += '\0';
    tag += '\0';                      // no flags
    put_be32(tag, frames.size(), 7);  // sync-safe size
    tag += frames;
    return tag;
}

}  // namespace

SilentMp3::SilentMp3(std::string_view title, std::size_t approximate_size)
    : tag_(id3_title_tag(title)) {
    if (approximate_size == 0) {
        frames_ = kSmallFrameCount;
    } else {
        const std::size_t room =
            approximate_size > tag_.size() ? approximate_size - tag_.size() : 0;
        frames_ = std::max<std::size_t>(1, (room + kFrameSize / 2) / kFrameSize);
    }
}

void SilentMp3::append_range(std::size_t offset, std::size_t count, Bytes& out) const {
    if (offset >= size()) {
        return;
    }
    const std::size_t end = offset + std::min(count, size() - offset);
    std::size_t at = offset;
    if (at < tag_.size() && at < end) {
        const std::size_t n = std::min(end, tag_.size()) - at;
        out.append(tag_, at, n);
        at += n;
    }
    while (at < end) {
        const std::size_t in_frame = (at - tag_.size()) % kFrameSize;
        const std::size_t n = std::min(end - at, kFrameSize - in_frame);
        std::size_t done = 0;
        for (; in_frame + done < kFrameHeader.size() && done < n; ++done) {
            out += static_cast<char>(kFrameHeader[in_frame + done]);
        }
        out.append(n - done, '\0');
        at += n;
    }
}

Bytes SilentMp3::bytes() const {
    Bytes out;
    out.reserve(size());
    append_range(0, size(), out);
    return out;
}

}  // namespace vx
