#pragma once

// The program's one general operation for talking to a web server: a single
// HTTP or HTTPS request from start to finish, its body returned as code page
// 936 text. Failures leave a numbered message in `status_text` and give the
// empty text.

#include <functional>
#include <optional>

#include "http/transfer_control.h"
#include "text/text.h"

namespace vx {

// Parameters 2 to 21, in their order of meaning. An in-parameter left nullopt
// is omitted and takes its default; a given false or 0 is a given value. The
// in-out and out members are written only where the operation says so and
// otherwise keep what the caller put in them.
struct WebAccessParams {
    std::optional<int> method;                   // 2: 0 GET (default), 1 POST, 2 HEAD, ...
    std::optional<Text> body_text;               // 3
    Text cookies;                                // 4: in; replaced when merging runs
    Text cookies_returned;                       // 5: in and out; new cookies are appended
    std::optional<Text> extra_headers;           // 6
    Text response_headers;                       // 7: out
    std::optional<bool> block_redirects;         // 8: default false
    std::optional<Text> user_name;               // 9
    std::optional<Text> password;                // 10
    std::optional<Text> proxy;                   // 11: "host:port"
    std::optional<Text> proxy_user_name;         // 12
    std::optional<Text> proxy_password;          // 13
    std::optional<int> timeout_seconds;          // 14: 0 or less means 30
    Text redirect_location;                      // 15: out
    Text status_text;                            // 16: out
    Bytes response_bytes;                        // 17: out
    std::optional<bool> merge_returned_cookies;  // 18: default true
    std::optional<bool> add_default_headers;     // 19: default true
    std::optional<Bytes> body_bytes;             // 20
    std::optional<bool> normalize_headers;       // 21: default true

    // Pause and Stop of the worker that runs the call; null for none.
    const TransferControl* control = nullptr;
    // The process-events step; the window's thread supplies one, elsewhere it is empty.
    std::function<void()> process_events;
};

Text web_access(const Text& url, WebAccessParams& params);

// The form every caller in the program uses: the address alone.
Text web_access(const Text& url, const TransferControl* control = nullptr);

}  // namespace vx
