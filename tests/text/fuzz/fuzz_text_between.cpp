// text_between with every argument taken from the input. Checks that a found
// part really stands between the two markers in the text.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/text_between.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string start_marker = in.ConsumeRandomLengthString(16);
    const std::string end_marker = in.ConsumeRandomLengthString(16);
    const auto start = in.ConsumeIntegralInRange<vx::Position>(-3, 300);
    const bool ignore_case = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    const vx::Text part = vx::text_between(text, start_marker, end_marker, start, ignore_case);
    // A part is cut at a zero byte, as every Text is; check zero-free texts.
    if (part.empty() || ignore_case || text.find('\0') != std::string::npos) {
        return 0;
    }
    const std::string opening = vx::replace_quote_tokens(start_marker).str();
    const std::string closing = vx::replace_quote_tokens(end_marker).str();
    if (closing.empty()) {
        std::abort();  // an empty end marker never yields a part
    }
    if (text.find(opening + part.str() + closing) == std::string::npos) {
        std::abort();
    }
    return 0;
}
