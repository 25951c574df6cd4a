#include "text/codepage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

namespace vx {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char kUnmappable = '?';

// Lead bytes 0x81..0xFE, trail bytes 0x40..0xFE.
constexpr unsigned kLeadFirst = 0x81;
constexpr unsigned kLeadCount = 0xFE - kLeadFirst + 1;
constexpr unsigned kTrailFirst = 0x40;
constexpr unsigned kTrailCount = 0xFE - kTrailFirst + 1;

struct IconvCloser {
    void operator()(void* cd) const noexcept { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle open_iconv(const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return nullptr;
    }
    return IconvHandle(cd);
}

// Converts one small piece completely; nullopt when iconv refuses any of it.
std::optional<std::string> convert_whole(const IconvHandle& cd, std::string_view in) {
    if (!cd) {
        return std::nullopt;
    }
    iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
    std::array<char, 16> buffer{};
    char* src = const_cast<char*>(in.data());  // iconv's prototype, it does not write
    std::size_t src_left = in.size();
    char* dst = buffer.data();
    std::size_t dst_left = buffer.size();
    if (iconv(static_cast<iconv_t>(cd.get()), &src, &src_left, &dst, &dst_left) ==
            static_cast<std::size_t>(-1) ||
        src_left != 0) {
        return std::nullopt;
    }
    if (iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, &dst, &dst_left) ==
        static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    return std::string(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
}

// Code page 936 both ways, read once out of iconv so that every later
// conversion is a table lookup.
struct Cp936Tables {
    // Single bytes 0x80..0xFF: their character, or 0 when the byte is a lead
    // byte or maps to nothing on its own.
    std::array<char16_t, 128> single{};
    // Two-byte characters; 0 marks an undefined pair.
    std::array<char16_t, kLeadCount * kTrailCount> pair{};
    // Every BMP character: its bytes (below 0x100: one byte), 0 when it has no form.
    std::array<std::uint16_t, 0x10000> encode{};
};

std::unique_ptr<const Cp936Tables> build_tables() {
    auto t = std::make_unique<Cp936Tables>();
    const IconvHandle decoder = open_iconv("UTF-16LE", "CP936");
    const IconvHandle encoder = open_iconv("CP936", "UTF-16LE");

    const auto one_unit = [](const std::optional<std::string>& out) -> char16_t {
        if (!out || out->size() != 2) {
            return 0;
        }
        return static_cast<char16_t>(static_cast<unsigned char>((*out)[0]) |
                                     static_cast<unsigned char>((*out)[1]) << 8);
    };
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const char in = static_cast<char>(b);
        t->single[b - 0x80] = one_unit(convert_whole(decoder, std::string_view(&in, 1)));
    }
    for (unsigned lead = 0; lead < kLeadCount; ++lead) {
        for (unsigned trail = 0; trail < kTrailCount; ++trail) {
            const std::array<char, 2> in{static_cast<char>(kLeadFirst + lead),
                                         static_cast<char>(kTrailFirst + trail)};
            t->pair[lead * kTrailCount + trail] =
                one_unit(convert_whole(decoder, std::string_view(in.data(), in.size())));
        }
    }
    for (unsigned c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const std::array<char, 2> in{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        const auto out = convert_whole(encoder, std::string_view(in.data(), in.size()));
        if (!out) {
            continue;
        }
        if (out->size() == 1) {
            t->encode[c] = static_cast<unsigned char>((*out)[0]);
        } else if (out->size() == 2) {
            t->encode[c] = static_cast<std::uint16_t>(static_cast<unsigned char>((*out)[0]) << 8 |
                                                      static_cast<unsigned char>((*out)[1]));
        }
    }
    return t;
}

const Cp936Tables& tables() {
    static const std::unique_ptr<const Cp936Tables> t = build_tables();
    return *t;
}

// Length of the run of ASCII bytes at the start of `s`, eight at a time.
std::size_t ascii_prefix(const char* s, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s + i, 8);
        if ((word & 0x8080808080808080ULL) != 0) {
            break;
        }
    }
    while (i < n && static_cast<unsigned char>(s[i]) < 0x80) {
        ++i;
    }
    return i;
}

// Walks code page 936 text and hands every character to `emit`. An
// undefined pair whose second byte is ASCII gives one replacement and the
// ASCII byte stays a character of its own, so markup after a stray lead byte
// survives.
template <class Ascii, class Emit>
void decode_cp936(std::string_view in, Ascii&& ascii, Emit&& emit) {
    const Cp936Tables& t = tables();
    const char* s = in.data();
    const std::size_t n = in.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = ascii_prefix(s + i, n - i);
        if (run != 0) {
            ascii(s + i, run);
            i += run;
            continue;
        }
        const unsigned b = static_cast<unsigned char>(s[i]);
        if (const char16_t c = t.single[b - 0x80]; c != 0) {
            emit(c);
            ++i;
            continue;
        }
        if (b < kLeadFirst || b > 0xFE || i + 1 >= n) {
            emit(kReplacement);
            ++i;
            continue;
        }
        const unsigned trail = static_cast<unsigned char>(s[i + 1]);
        const char16_t c = trail >= kTrailFirst && trail <= 0xFE
                               ? t.pair[(b - kLeadFirst) * kTrailCount + (trail - kTrailFirst)]
                               : char16_t{0};
        if (c != 0) {
            emit(c);
            i += 2;
        } else {
            emit(kReplacement);
            i += trail < 0x80 ? 1 : 2;
        }
    }
}

void append_cp936(Bytes& out, char32_t c, const Cp936Tables& t) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        return;
    }
    const std::uint16_t e = c <= 0xFFFF ? t.encode[c] : 0;
    if (e == 0) {
        out.push_back(kUnmappable);
    } else if (e < 0x100) {
        out.push_back(static_cast<char>(e));
    } else {
        out.push_back(static_cast<char>(e >> 8));
        out.push_back(static_cast<char>(e & 0xFF));
    }
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 character at s[i] (not ASCII). Gives the character, or
// U+FFFD for the longest invalid or cut start of a sequence, and its length.
std::pair<char32_t, std::size_t> decode_utf8(const unsigned char* s, std::size_t n, std::size_t i) {
    const unsigned b = s[i];
    std::size_t len;
    char32_t c;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
        c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        c = b & 0x0F;
        low = b == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = b == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        c = b & 0x07;
        low = b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return {kReplacement, 1};
    }
    for (std::size_t k = 1; k < len; ++k) {
        if (i + k >= n) {
            return {kReplacement, k};
        }
        const unsigned cb = s[i + k];
        if (cb < low || cb > high) {
            return {kReplacement, k};
        }
        low = 0x80;
        high = 0xBF;
        c = c << 6 | (cb & 0x3F);
    }
    return {c, len};
}

bool is_utf8_name(std::string_view lower) {
    return lower == "utf-8" || lower == "utf8";
}

// Names under which pages mean the system's own code page. GB2312 pages
// routinely carry GBK characters, so they are read as code page 936 too.
bool is_cp936_name(std::string_view lower) {
    for (const std::string_view name : {"gbk", "gb2312", "cp936", "ms936", "windows-936", "x-gbk",
                                        "csgb2312", "euc-cn", "euccn", "csgbk"}) {
        if (lower == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::u16string cp936_to_utf16(std::string_view text) {
    // Never more units than bytes: size once, fill, then cut to what was written.
    std::u16string out(text.size(), u'\0');
    std::size_t at = 0;
    decode_cp936(
        text,
        [&out, &at](const char* s, std::size_t n) {
            for (std::size_t k = 0; k < n; ++k) {
                out[at + k] = static_cast<char16_t>(s[k]);
            }
            at += n;
        },
        [&out, &at](char16_t c) { out[at++] = c; });
    out.resize(at);
    return out;
}

Bytes utf16_to_cp936(std::u16string_view text) {
    const Cp936Tables& t = tables();
    // At most two bytes a unit; sized once and cut at the end.
    Bytes out(text.size() * 2, '\0');
    char* const first = out.data();
    char* p = first;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
            continue;
        }
        std::uint16_t e = 0;
        if (c >= 0xD800 && c <= 0xDFFF) {
            // A pair names a character beyond the BMP, which code page 936
            // lacks; a lone surrogate is invalid. Either way one "?".
            if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF) {
                ++i;
            }
        } else {
            e = t.encode[c];
        }
        if (e == 0) {
            *p++ = kUnmappable;
        } else if (e < 0x100) {
            *p++ = static_cast<char>(e);
        } else {
            *p++ = static_cast<char>(e >> 8);
            *p++ = static_cast<char>(e & 0xFF);
        }
    }
    out.resize(static_cast<std::size_t>(p - first));
    return out;
}

std::string cp936_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    decode_cp936(
        text, [&out](const char* s, std::size_t n) { out.append(s, n); },
        [&out](char16_t c) { append_utf8(out, c); });
    return out;
}

Bytes utf8_to_cp936(std::string_view text) {
    const Cp936Tables& t = tables();
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    Bytes out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = ascii_prefix(text.data() + i, n - i);
        if (run != 0) {
            out.append(text.data() + i, run);
            i += run;
            continue;
        }
        const auto [c, len] = decode_utf8(s, n, i);
        append_cp936(out, c, t);
        i += len;
    }
    return out;
}

std::optional<Bytes> charset_to_cp936(std::string_view bytes, std::string_view charset) {
    std::string lower;
    for (const char ch : charset) {
        // iconv reads suffixes such as "//TRANSLIT" as options; a page does
        // not get to choose those.
        if (ch == '/' || ch == ',' || static_cast<unsigned char>(ch) <= 0x20 ||
            static_cast<unsigned char>(ch) >= 0x7F) {
            return std::nullopt;
        }
        lower.push_back(ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch);
    }
    if (lower.empty()) {
        return std::nullopt;
    }
    if (is_utf8_name(lower)) {
        // A byte order mark is no part of the page's text.
        constexpr std::string_view kBom = "\xEF\xBB\xBF";
        if (bytes.substr(0, kBom.size()) == kBom) {
            bytes.remove_prefix(kBom.size());
        }
        return utf8_to_cp936(bytes);
    }
    if (is_cp936_name(lower)) {
        return utf16_to_cp936(cp936_to_utf16(bytes));
    }

    const IconvHandle cd = open_iconv("UTF-16LE", lower.c_str());
    if (!cd) {
        return std::nullopt;
    }
    const auto handle = static_cast<iconv_t>(cd.get());
    std::u16string wide;
    wide.reserve(bytes.size());
    std::array<char, 16384> buffer{};
    char* src = const_cast<char*>(bytes.data());  // iconv's prototype, it does not write
    std::size_t src_left = bytes.size();
    const auto flush = [&](char* dst_end) {
        for (const char* p = buffer.data(); p + 1 < dst_end; p += 2) {
            wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                                 static_cast<unsigned char>(p[1]) << 8));
        }
    };
    bool finished = false;
    while (!finished) {
        char* dst = buffer.data();
        std::size_t dst_left = buffer.size();
        std::size_t rc;
        if (src_left != 0) {
            rc = iconv(handle, &src, &src_left, &dst, &dst_left);
        } else {
            rc = iconv(handle, nullptr, nullptr, &dst, &dst_left);  // end a shift state
            finished = rc != static_cast<std::size_t>(-1) || errno != E2BIG;
        }
        const int err = errno;
        flush(dst);
        if (rc != static_cast<std::size_t>(-1) || finished) {
            continue;
        }
        if (err == E2BIG) {
            continue;
        }
        wide.push_back(kReplacement);
        if (err == EILSEQ && src_left != 0) {
            ++src;
            --src_left;
        } else {
            // A cut sequence at the end, or something iconv cannot go on from.
            src_left = 0;
        }
    }
    return utf16_to_cp936(wide);
}

}  // namespace vx
