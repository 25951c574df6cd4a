#pragma once

// The plain file fetch: one HTTP/1.0 GET whose body streams into a temporary
// file beside the target, renamed over the target only when the whole body
// arrived with a 2xx status. A failure never touches the target.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "http/transfer_control.h"

namespace vx {

struct FileFetchResult {
    bool ok = false;
    long status = 0;          // the response's status code; 0 when none arrived
    std::uint64_t bytes = 0;  // body bytes received
    std::string error;        // why it failed; empty on success
};

FileFetchResult fetch_to_file(std::string_view url, const std::filesystem::path& target,
                              const TransferControl* control = nullptr);

}  // namespace vx
