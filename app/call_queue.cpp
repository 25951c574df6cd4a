#include "app/call_queue.h"

#include <algorithm>
#include <utility>

namespace vx {

CallQueue::CallQueue(std::function<void()> wake)
    : owner_(std::this_thread::get_id()), wake_(std::move(wake)) {}

CallQueue::~CallQueue() {
    close();
}

bool CallQueue::call(const std::function<void()>& task) {
    if (on_owner_thread()) {
        task();
        return true;
    }
    Pending pending{&task};
    std::unique_lock lock(mutex_);
    if (closed_) {
        return false;
    }
    waiting_.push_back(&pending);
    arrived_.notify_one();
    if (!wake_pending_) {
        wake_pending_ = true;
        lock.unlock();
        wake_();
        lock.lock();
    }
    // A call the owner has taken is always finished, closed or not: it points
    // into this frame.
    done_.wait(lock, [&] { return pending.done || (closed_ && !pending.taken); });
    if (!pending.done) {
        waiting_.erase(std::remove(waiting_.begin(), waiting_.end(), &pending), waiting_.end());
        return false;
    }
    return true;
}

void CallQueue::drain(std::chrono::microseconds budget, std::chrono::microseconds linger) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + budget;
    std::unique_lock lock(mutex_);
    while (!closed_) {
        if (waiting_.empty()) {
            const auto linger_until = std::min(Clock::now() + linger, deadline);
            arrived_.wait_until(lock, linger_until, [&] { return !waiting_.empty() || closed_; });
            if (waiting_.empty() || closed_) {
                break;
            }
        }
        if (Clock::now() >= deadline) {
            // Leave the rest for the next turn of the event loop; the wake
            // stays pending, so callers do not post one of their own.
            lock.unlock();
            wake_();
            return;
        }
        Pending* pending = waiting_.front();
        waiting_.pop_front();
        pending->taken = true;
        lock.unlock();
        (*pending->task)();
        lock.lock();
        pending->done = true;
        done_.notify_all();
    }
    wake_pending_ = false;
}

void CallQueue::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    done_.notify_all();
    arrived_.notify_all();
}

}  // namespace vx
