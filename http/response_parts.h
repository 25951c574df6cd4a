#pragma once

// The response side of web_access, apart from the transport so that it can be
// driven with any bytes: collecting the final response's header block,
// holding the body under a size limit, and turning the header block and body
// into the call's outputs and its result text.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace vx {

class RegexObject;

// Collects the raw header block of the final response from header lines as
// they arrive: each new status line starts the block again (interim 1xx
// responses), the blank line ends it and is not kept, and every kept line
// ends in CR LF. Lines after the final block (trailers) are ignored.
class HeaderBlockCollector {
  public:
    void add_line(std::string_view line);

    // The final (non-1xx) response's header block has ended.
    bool complete() const noexcept { return complete_; }
    const std::string& block() const noexcept { return block_; }
    // The status code of the current block's status line; 0 when unreadable.
    int status_code() const noexcept { return status_code_; }
    // The last "Location" header's value of the block, spaces trimmed.
    std::string location() const;

  private:
    std::string block_;
    int status_code_ = 0;
    bool in_block_ = false;
    bool complete_ = false;
};

// The body as it arrives, up to `limit` bytes; past that it refuses more and
// remembers that it overflowed.
class BodySink {
  public:
    explicit BodySink(std::size_t limit) : limit_(limit) {}
    // True when all of `chunk` was kept.
    bool append(std::string_view chunk);
    bool overflowed() const noexcept { return overflowed_; }
    Bytes& bytes() noexcept { return bytes_; }
    void clear() noexcept {
        bytes_.clear();
        overflowed_ = false;
    }

  private:
    Bytes bytes_;
    std::size_t limit_;
    bool overflowed_ = false;
};

// The status code and reason of a raw header block: its bytes from the 10th
// up to the first CR LF at or after it; empty when there is no such CR LF.
Text status_from_header_block(std::string_view block);

// Outputs of a response, in the members that web_access fills.
struct ResponseOutputs {
    Text cookies;           // in; replaced when merging runs
    Text cookies_returned;  // in and out
    Text response_headers;
    Text redirect_location;
    Text status_text;
    Bytes response_bytes;
};

// Fills `out` from a received header block and body and returns the result
// text: the body up to its first zero byte, decoded from the charset its meta
// tag names (except "gbk" and "gb2312") when the converter knows the name.
// `process_events` runs after each header line and after the charset step.
Text process_response(std::string_view header_block, Bytes body, bool merge_returned_cookies,
                      ResponseOutputs& out, RegexObject& regex,
                      const std::function<void()>& process_events);

// The meta-charset pattern "<meta.+?charset=[^\w]?([-\w]+)" is looked for in
// the first 1024 bytes of the text; it cannot match unless they hold "<meta"
// and, after it, "charset=" (any case). False means the engine need not run.
bool may_declare_charset(std::string_view window);

// The result text of a body alone (zero-byte cut and charset decoding).
Text decode_body(const Bytes& body, RegexObject& regex,
                 const std::function<void()>& process_events);

}  // namespace vx
