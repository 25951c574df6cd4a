// merge_cookies against the plain linear merge (cookie_list_contains and
// index_in_list over growing lists), and the shape of what it writes back.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "http/cookies.h"
#include "text/text_ops.h"

namespace {

vx::Text reference_unique_join(std::string_view text, std::string_view separator) {
    vx::TextList seen;
    std::string out;
    for (const vx::Text& piece : vx::split(text, separator)) {
        if (vx::index_in_list(seen, piece) == -1) {
            seen.push_back(piece);
            out += piece.str();
            out += separator;
        }
    }
    return vx::left(out, static_cast<vx::Position>(out.size() - separator.size()));
}

vx::Text reference_merge(std::string_view old_cookies, std::string_view new_cookies) {
    vx::TextList merged = vx::split(vx::remove_all_spaces(new_cookies), ";");
    for (const vx::Text& piece : vx::split(vx::remove_all_spaces(old_cookies), ";")) {
        if (!vx::cookie_list_contains(merged, vx::cookie_name(piece))) {
            merged.push_back(piece);
        }
    }
    std::string joined;
    for (const vx::Text& piece : merged) {
        if (vx::right(piece, 8).str() != "=deleted") {
            joined += piece.str() + "; ";
        }
    }
    return reference_unique_join(vx::left(joined, static_cast<vx::Position>(joined.size()) - 2),
                                 "; ");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const vx::Text old_before(in.ConsumeRandomLengthString(256));
    const vx::Text new_before(in.ConsumeRemainingBytesAsString());

    vx::Text old_cookies = old_before;
    vx::Text new_cookies = new_before;
    const vx::Text merged = vx::merge_cookies(old_cookies, new_cookies);
    if (merged != old_cookies || new_cookies != vx::remove_all_spaces(new_before)) {
        std::abort();
    }
    if (merged != reference_merge(old_before, new_before)) {
        std::abort();
    }
    const bool by_separator = in.ConsumeBool();
    const vx::Text joined = vx::unique_join(old_before, ",", by_separator);
    if (by_separator && joined != reference_unique_join(old_before, ",")) {
        std::abort();
    }
    return 0;
}
