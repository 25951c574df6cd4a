#pragma once

// The request side of web_access: the verb for a method number and the
// request header text with its defaults and cookies.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace vx {

// 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE, 6 TRACE, 7 CONNECT; any
// other number GET.
std::string_view method_verb(int method);

struct RequestHeaderOptions {
    int method = 0;
    bool add_default_headers = true;
    bool normalize_headers = true;
};

// The header text: the caller's lines, the defaults each added when its key is
// missing, names normalised, a "Connection: keep-alive" line removed, and the
// cookies appended unless the text already has a "Cookie:" line.
Text build_request_headers(std::string_view extra_headers, std::string_view cookies,
                           const RequestHeaderOptions& options);

// The header text as the transport's list of lines, in their order, followed
// by the lines that keep the transport from adding headers of its own (its
// Accept, Expect, form Content-Type and proxy keep-alive). nullopt when a line
// is not a header line (no colon), which the stack would refuse.
std::optional<std::vector<std::string>> transport_header_lines(std::string_view header_text);

}  // namespace vx
