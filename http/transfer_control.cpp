#include "http/transfer_control.h"

namespace vx {

// Pauses count like thread suspensions: each pause needs its own resume, and
// resuming a control that is not paused does nothing.
void TransferControl::pause() {
    std::lock_guard lock(mutex_);
    ++pause_depth_;
    changed_.notify_all();
}

void TransferControl::resume() {
    std::lock_guard lock(mutex_);
    if (pause_depth_ > 0) {
        --pause_depth_;
    }
    changed_.notify_all();
}

void TransferControl::stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
}

bool TransferControl::paused() const {
    std::lock_guard lock(mutex_);
    return pause_depth_ > 0 && !stopped_;
}

bool TransferControl::stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

bool TransferControl::wait_while_paused() const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || pause_depth_ == 0; });
    return !stopped_;
}

bool TransferControl::wait_while_paused_for(std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return stopped_ || pause_depth_ == 0; });
    return !stopped_;
}

}  // namespace vx
