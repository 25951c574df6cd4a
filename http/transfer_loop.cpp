#include "http/transfer_loop.h"

namespace vx {
namespace {

using Clock = std::chrono::steady_clock;

// Everything that moved on the wire so far; a change counts as activity.
curl_off_t bytes_moved(CURL* easy) {
    curl_off_t down = 0;
    curl_off_t up = 0;
    long header_bytes = 0;
    curl_easy_getinfo(easy, CURLINFO_SIZE_DOWNLOAD_T, &down);
    curl_easy_getinfo(easy, CURLINFO_SIZE_UPLOAD_T, &up);
    curl_easy_getinfo(easy, CURLINFO_HEADER_SIZE, &header_bytes);
    return down + up + header_bytes;
}

// Removes the easy handle from the multi handle on every way out.
class Attached {
  public:
    Attached(CURLM* multi, CURL* easy) : multi_(multi), easy_(easy) {
        added_ = curl_multi_add_handle(multi_, easy_) == CURLM_OK;
    }
    ~Attached() {
        if (added_) {
            curl_multi_remove_handle(multi_, easy_);
        }
    }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;
    bool added() const noexcept { return added_; }

  private:
    CURLM* multi_;
    CURL* easy_;
    bool added_ = false;
};

}  // namespace

TransferOutcome run_transfer(CURLM* multi, CURL* easy, const TransferControl* control,
                             std::chrono::milliseconds idle_limit) {
    TransferOutcome outcome;
    // A transfer that begins while paused (a redirect's next hop, say) sends
    // nothing until resumed.
    if (control != nullptr && !control->wait_while_paused()) {
        outcome.stopped = true;
        return outcome;
    }
    const Attached attached(multi, easy);
    if (!attached.added()) {
        outcome.code = CURLE_FAILED_INIT;
        return outcome;
    }
    bool held = false;
    auto last_activity = Clock::now();
    curl_off_t moved = -1;
    for (;;) {
        // Looked at before curl runs, so that a Pause that came in while
        // waiting holds the transfer before it takes in what woke it (a
        // redirect it would follow at once, say).
        if (control != nullptr) {
            if (control->stopped()) {
                outcome.stopped = true;
                break;
            }
            const bool paused = control->paused();
            if (paused != held) {
                curl_easy_pause(easy, paused ? CURLPAUSE_ALL : CURLPAUSE_CONT);
                held = paused;
                last_activity = Clock::now();
            }
        }
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            outcome.code = CURLE_FAILED_INIT;
            break;
        }
        bool done = false;
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
                outcome.code = message->data.result;
                done = true;
            }
        }
        if (done) {
            break;
        }
        const auto now = Clock::now();
        if (const curl_off_t total = bytes_moved(easy); total != moved) {
            moved = total;
            last_activity = now;
        }
        if (held) {
            last_activity = now;  // paused time is not idle time
        } else if (now - last_activity > idle_limit) {
            outcome.idle_timeout = true;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(kControlPollStep.count()), nullptr);
    }
    return outcome;
}

}  // namespace vx
