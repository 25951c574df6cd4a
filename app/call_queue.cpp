#include "app/call_queue.h"

#include <algorithm>
#include <utility>

namespace vx {
namespace {

// Both sides spin this long before they sleep: a worker filling the list sends
// its next call within microseconds, and a sleep and wake-up on each side
// would cost more than the call itself.
constexpr std::chrono::microseconds kSpin{40};

template <typename Ready>
bool spin_until(Ready ready) {
    const auto until = std::chrono::steady_clock::now() + kSpin;
    do {
        if (ready()) {
            return true;
        }
        std::this_thread::yield();
    } while (std::chrono::steady_clock::now() < until);
    return ready();
}

}  // namespace

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
    Pending pending(&task);
    std::unique_lock lock(mutex_);
    if (closed_) {
        return false;
    }
    waiting_.push_back(&pending);
    anything_waiting_.store(true, std::memory_order_release);
    arrived_.notify_one();
    const bool wake = !wake_pending_;
    wake_pending_ = true;
    lock.unlock();
    if (wake) {
        wake_();
    }
    if (spin_until([&] { return pending.done.load(std::memory_order_acquire); })) {
        return true;
    }
    lock.lock();
    // A call the owner has taken is always finished, closed or not: it points
    // into this frame.
    done_.wait(lock, [&] { return pending.done.load() || (closed_ && !pending.taken); });
    if (!pending.done.load()) {
        waiting_.erase(std::remove(waiting_.begin(), waiting_.end(), &pending), waiting_.end());
        anything_waiting_.store(!waiting_.empty(), std::memory_order_release);
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
            lock.unlock();
            spin_until([this] { return anything_waiting_.load(std::memory_order_acquire); });
            lock.lock();
            if (closed_) {
                break;
            }
        }
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
        anything_waiting_.store(!waiting_.empty(), std::memory_order_release);
        pending->taken = true;
        lock.unlock();
        (*pending->task)();
        lock.lock();
        // The caller may return the moment it sees this; `pending` is not
        // touched afterwards.
        pending->done.store(true, std::memory_order_release);
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
