#pragma once

// Runs one prepared curl transfer to its end on the calling thread, through a
// multi handle polled in short steps, so that Pause holds it still and Stop
// ends it promptly whatever the server does.

#include <curl/curl.h>

#include <chrono>

#include "http/transfer_control.h"

namespace vx {

struct TransferOutcome {
    CURLcode code = CURLE_OK;   // curl's own result when it finished the transfer
    bool stopped = false;       // ended because the control was stopped
    bool idle_timeout = false;  // nothing moved for the idle limit (paused time not counted)

    bool ok() const noexcept { return code == CURLE_OK && !stopped && !idle_timeout; }
};

// The step between two looks at the control: well inside the 200 ms in which
// Stop must end a transfer.
inline constexpr std::chrono::milliseconds kControlPollStep{50};

TransferOutcome run_transfer(CURLM* multi, CURL* easy, const TransferControl* control,
                             std::chrono::milliseconds idle_limit);

}  // namespace vx
