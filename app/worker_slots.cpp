#include "app/worker_slots.h"

#include <algorithm>
#include <system_error>

namespace vx {

Worker::~Worker() {
    // Only reached through WorkerSlots, which joins before letting go; a
    // thread still running here would use a dead control block.
    if (thread_.joinable()) {
        control_.stop();
        thread_.join();
    }
}

bool Worker::finished() const {
    std::lock_guard lock(mutex_);
    return finished_;
}

bool Worker::wait_finished_until(std::chrono::steady_clock::time_point deadline) const {
    std::unique_lock lock(mutex_);
    return finished_changed_.wait_until(lock, deadline, [this] { return finished_; });
}

WorkerSlots::~WorkerSlots() {
    close();
    join_all(std::chrono::steady_clock::time_point::max());
}

std::shared_ptr<Worker> WorkerSlots::start(Slot slot, const WorkerEnvironment& env,
                                           WorkerRoutine routine, const TransferControl* starter) {
    std::unique_lock lock(mutex_);
    // A paused starter holds still here: putting the new worker in the slot
    // now would take the slot's paused worker out of Continue's reach. Pause
    // needs this lock, so once past the loop the starter stays unpaused.
    while (starter != nullptr && starter->paused()) {
        lock.unlock();
        starter->wait_while_paused();
        lock.lock();
    }
    if (closed_ || (starter != nullptr && starter->stopped())) {
        return nullptr;
    }
    join_finished_locked();

    auto worker = std::make_shared<Worker>();
    Worker& self = *worker;
    try {
        worker->thread_ = std::thread([&self, routine, env] {
            routine(WorkerContext{env, self.control_});
            std::lock_guard finished_lock(self.mutex_);
            self.finished_ = true;
            self.finished_changed_.notify_all();
        });
    } catch (const std::system_error&) {
        // Out of threads: the click simply starts nothing.
        return nullptr;
    }
    running_.push_back(worker);
    if (slot == Slot::search_thread) {
        search_thread_ = worker;
    } else if (slot == Slot::worker_thread) {
        worker_thread_ = worker;
    }
    return worker;
}

std::shared_ptr<Worker> WorkerSlots::search_thread() const {
    std::lock_guard lock(mutex_);
    return search_thread_;
}

std::shared_ptr<Worker> WorkerSlots::worker_thread() const {
    std::lock_guard lock(mutex_);
    return worker_thread_;
}

void WorkerSlots::pause_slots() {
    std::lock_guard lock(mutex_);
    for (const auto& worker : {search_thread_, worker_thread_}) {
        if (worker) {
            worker->control_.pause();
        }
    }
}

void WorkerSlots::resume_slots() {
    std::lock_guard lock(mutex_);
    for (const auto& worker : {search_thread_, worker_thread_}) {
        if (worker) {
            worker->control_.resume();
        }
    }
}

void WorkerSlots::stop_slots() {
    // Under the lock, so that a search ending right now either sees its stop
    // before starting its resolve run or has already put that run in the slot.
    std::lock_guard lock(mutex_);
    stop_thread(search_thread_);
    stop_thread(worker_thread_);
}

void WorkerSlots::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    for (const auto& worker : running_) {
        worker->control_.stop();
    }
}

bool WorkerSlots::join_all(std::chrono::steady_clock::time_point deadline) {
    std::vector<std::shared_ptr<Worker>> running;
    {
        std::lock_guard lock(mutex_);
        running = running_;
    }
    bool all_ended = true;
    for (const auto& worker : running) {
        all_ended = worker->wait_finished_until(deadline) && all_ended;
    }
    std::lock_guard lock(mutex_);
    join_finished_locked();
    return all_ended;
}

void WorkerSlots::join_finished_locked() {
    // A finished worker only has its lambda's captures left to destroy, so
    // joining it here is quick and never waits on this lock.
    auto ended = std::stable_partition(running_.begin(), running_.end(),
                                       [](const auto& worker) { return !worker->finished(); });
    for (auto it = ended; it != running_.end(); ++it) {
        (*it)->thread_.join();
    }
    running_.erase(ended, running_.end());
}

std::shared_ptr<Worker> start_thread(const WorkerEnvironment& env, WorkerRoutine routine) {
    return env.worker_slots.start(Slot::none, env, routine);
}

void stop_thread(const std::shared_ptr<Worker>& worker) {
    if (worker) {
        worker->control().stop();
    }
}

}  // namespace vx
