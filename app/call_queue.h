#pragma once

// Carries calls from worker threads over to one owner thread (the window's)
// and blocks each caller until its call is done there. The hand-over runs on
// a std::mutex of our own so that the thread sanitizer sees it; the owner
// thread is only told to look through `wake`, which carries nothing.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vx {

class CallQueue {
  public:
    // The constructing thread becomes the owner. `wake` must make the owner
    // call drain() soon, without blocking; it may be called from any thread.
    explicit CallQueue(std::function<void()> wake);
    // Every caller must have returned by then (the owner joins its workers first).
    ~CallQueue();
    CallQueue(const CallQueue&) = delete;
    CallQueue& operator=(const CallQueue&) = delete;

    // Runs `task` on the owner thread and returns when it is done; on the owner
    // thread itself it runs at once. False, with `task` not run, once closed.
    bool call(const std::function<void()>& task);

    // On the owner thread: runs waiting calls one at a time for at most
    // `budget`. A worker usually sends its next call right after the last one
    // returned, so the queue waits up to `linger` for it before giving the
    // thread back to the event loop. Asks for another wake when work is left.
    void drain(std::chrono::microseconds budget, std::chrono::microseconds linger);

    // Calls waiting or arriving from now on return false without running.
    void close();

    bool on_owner_thread() const { return std::this_thread::get_id() == owner_; }

  private:
    struct Pending {
        explicit Pending(const std::function<void()>* t) : task(t) {}
        const std::function<void()>* task;
        bool taken = false;
        std::atomic<bool> done{false};
    };

    const std::thread::id owner_;
    const std::function<void()> wake_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::condition_variable arrived_;
    std::deque<Pending*> waiting_;
    std::atomic<bool> anything_waiting_{false};  // !waiting_.empty(), for spinning unlocked
    bool wake_pending_ = false;
    bool closed_ = false;
};

}  // namespace vx
