// Runs a pattern over a text, both taken from the input, and reads back every
// match and group with its position.
//
// Input: one byte of option bits (case sensitive, multiline, global, quote
// token, replace), then the pattern, a zero byte, and the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/codepage.h"
#include "text/regex_object.h"

namespace {

// A found position must hold the returned text in the searched text (the
// text as it comes back out of UTF-16), letters folded when case is ignored.
void check_position(std::string_view searched, std::string_view found, vx::Position pos,
                    bool ignore_case) {
    if (pos == -2) {
        return;
    }
    if (pos < 0 || static_cast<std::size_t>(pos) + found.size() > searched.size()) {
        std::abort();
    }
    for (std::size_t k = 0; k < found.size(); ++k) {
        char a = searched[static_cast<std::size_t>(pos) + k];
        char b = found[k];
        if (ignore_case) {
            a = (a >= 'A' && a <= 'Z') ? static_cast<char>(a | 0x20) : a;
            b = (b >= 'A' && b <= 'Z') ? static_cast<char>(b | 0x20) : b;
        }
        if (a != b) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned flags = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t zero = rest.find('\0');
    const std::string_view pattern = rest.substr(0, zero);
    const std::string_view text =
        zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);
    const bool case_sensitive = (flags & 1) != 0;

    vx::RegexObject re;
    const bool ran = re.execute(pattern, text, case_sensitive, (flags & 2) != 0, (flags & 4) != 0,
                                (flags & 8) != 0);
    const int count = re.match_count();
    if (!ran && count != 0) {
        std::abort();
    }
    const std::string searched = vx::utf16_to_cp936(vx::cp936_to_utf16(vx::Text(text).view()));
    const int groups = re.submatch_count();
    for (int i = 0; i <= count + 1; ++i) {
        vx::Position pos = 0;
        const vx::Text whole = re.match_text(i, &pos);
        if (i < 1 || i > count) {
            if (!whole.empty() || pos != -2) {
                std::abort();
            }
            continue;
        }
        check_position(searched, whole.view(), pos, !case_sensitive);
        for (int g = 0; g <= groups + 1; ++g) {
            const vx::Text part = re.submatch_text(i, g, &pos);
            check_position(searched, part.view(), pos, !case_sensitive);
        }
    }
    re.pattern_text();
    if ((flags & 16) != 0) {
        re.replace("[$0]");
    }
    return 0;
}
