// normalize_header_names and header_value over any header block: the names
// change only in letter case and a second run changes nothing; a value found
// stands after its name and ": " in the block.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "http/header_text.h"

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool same_but_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string name = in.ConsumeRandomLengthString(12);
    const vx::Text headers(in.ConsumeRemainingBytesAsString());

    const vx::Text normalized = vx::normalize_header_names(headers);
    if (vx::normalize_header_names(normalized) != normalized) {
        std::abort();
    }
    // Every kept line is an input line with some letters raised.
    const vx::TextList lines = vx::split(headers, "\r\n");
    std::size_t next = 0;
    for (const vx::Text& out_line : vx::split(normalized, "\r\n")) {
        while (next < lines.size() && !same_but_case(lines[next], out_line)) {
            ++next;
        }
        if (next == lines.size() || vx::find_first(out_line, ":") == vx::kNotFound) {
            std::abort();
        }
        ++next;
    }

    const vx::Text value = vx::header_value(headers, name);
    if (!value.empty() &&
        headers.str().find(vx::Text(name).str() + ": " + value.str()) == std::string::npos) {
        std::abort();
    }
    return 0;
}
