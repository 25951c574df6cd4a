// Feeds server-like bytes through every conversion. Input: a charset name, a
// zero byte, then the body.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = input.find('\0');
    const std::string_view charset = input.substr(0, zero);
    const std::string_view body = zero == std::string_view::npos ? input : input.substr(zero + 1);

    // Whatever code page 936 comes out is valid: it reads back unchanged.
    const auto check_cp936 = [](const std::string& gbk) {
        if (vx::utf16_to_cp936(vx::cp936_to_utf16(gbk)) != gbk ||
            vx::utf8_to_cp936(vx::cp936_to_utf8(gbk)) != gbk) {
            std::abort();
        }
    };
    check_cp936(vx::utf8_to_cp936(body));
    check_cp936(vx::utf16_to_cp936(vx::cp936_to_utf16(body)));
    if (const auto decoded = vx::charset_to_cp936(body, charset)) {
        check_cp936(*decoded);
    }
    std::u16string wide(body.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(body[2 * i]) |
                                        static_cast<unsigned char>(body[2 * i + 1]) << 8);
    }
    check_cp936(vx::utf16_to_cp936(wide));
    return 0;
}
