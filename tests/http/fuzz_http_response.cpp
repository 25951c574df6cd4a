// Plays arbitrary bytes as a server's response through the response side of
// web_access: header lines as the transport hands them over, then the body.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "http/response_parts.h"
#include "http/url_parts.h"
#include "text/regex_object.h"
#include "text/text_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    vx::HeaderBlockCollector headers;
    while (!input.empty() && !headers.complete()) {
        const auto end = input.find('\n');
        const std::size_t length = end == std::string_view::npos ? input.size() : end + 1;
        headers.add_line(input.substr(0, length));
        input.remove_prefix(length);
    }
    vx::BodySink body(64 * 1024);
    body.append(input);

    static const vx::UrlParts base = *vx::crack_url("http://catalogue.example/list/page?x=1");
    (void)vx::resolve_location(base, headers.location());

    vx::RegexObject regex;
    // Skipping the pattern engine must never lose a charset it would find.
    const vx::Text window = vx::left(vx::bytes_to_text(body.bytes()), 1024);
    if (!vx::may_declare_charset(window) &&
        regex.execute("<meta.+?charset=[^\\w]?([-\\w]+)", window) &&
        !regex.submatch_text(1, 1).empty()) {
        __builtin_trap();
    }

    vx::ResponseOutputs out;
    out.cookies = vx::Text("a=1; b=2");
    (void)vx::process_response(headers.block(), body.bytes(), true, out, regex, {});
    return 0;
}
