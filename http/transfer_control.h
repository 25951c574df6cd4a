#pragma once

// The handle through which Pause and Stop reach a worker and the transfers it
// runs. Transfers poll it; nothing is ever interrupted from outside.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vx {

class TransferControl {
  public:
    void pause();
    void resume();
    void stop();

    bool paused() const;
    bool stopped() const;

    // Blocks while paused. Returns false once stopped, true when the caller may go on.
    bool wait_while_paused() const;
    // As above, but gives up waiting after `limit` and returns !stopped().
    bool wait_while_paused_for(std::chrono::milliseconds limit) const;

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    int pause_depth_ = 0;
    bool stopped_ = false;
};

}  // namespace vx
