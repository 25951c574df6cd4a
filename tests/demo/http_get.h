#pragma once

// A plain HTTP/1.1 GET over a socket for the demo site's tests: it reads
// until the server closes, so a cut-off body shows as exactly what arrived.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vx::test {

struct RawResponse {
    int status = 0;
    std::string head;  // status line and header lines
    std::string body;  // everything after the blank line
    std::optional<std::size_t> content_length;
};

// `address` is "http://127.0.0.1:<port>" followed by the target. Empty when
// nothing could be sent or nothing came back. `timeout_ms` bounds each read.
std::optional<RawResponse> http_get(std::string_view address, int timeout_ms = 5000);

}  // namespace vx::test
