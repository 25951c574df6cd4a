#pragma once

// The worker threads and the two slots through which Pause and Stop reach
// them. Workers are controlled cooperatively: each one polls its own
// TransferControl, and nothing is ever killed from outside.

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/site_addresses.h"
#include "app/track_window.h"
#include "http/transfer_control.h"

namespace vx {

class WorkerSlots;

// What every worker works with; it outlives all workers.
struct WorkerEnvironment {
    SiteAddresses sites;
    std::filesystem::path program_dir;
    TrackWindow& window;
    WorkerSlots& worker_slots;
};

// What a worker routine gets: the environment and its own control.
struct WorkerContext {
    WorkerEnvironment env;
    const TransferControl& control;
};

using WorkerRoutine = void (*)(const WorkerContext&);

// One worker thread and its control block.
class Worker {
  public:
    Worker() = default;
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    TransferControl& control() { return control_; }
    const TransferControl& control() const { return control_; }

    bool finished() const;
    // True when the routine has returned by `deadline`.
    bool wait_finished_until(std::chrono::steady_clock::time_point deadline) const;

  private:
    friend class WorkerSlots;

    TransferControl control_;
    mutable std::mutex mutex_;
    mutable std::condition_variable finished_changed_;
    bool finished_ = false;
    std::thread thread_;
};

enum class Slot { none, search_thread, worker_thread };

class WorkerSlots {
  public:
    WorkerSlots() = default;
    // Stops and joins whatever still runs.
    ~WorkerSlots();
    WorkerSlots(const WorkerSlots&) = delete;
    WorkerSlots& operator=(const WorkerSlots&) = delete;

    // Starts `routine` on a new thread and stores it into `slot`, replacing
    // what the slot held (that worker runs on, out of reach). With a
    // `starter`, this waits while the starter is paused, as the starter's own
    // steps do, and nothing starts once the starter has been stopped. Null
    // once closed.
    std::shared_ptr<Worker> start(Slot slot, const WorkerEnvironment& env, WorkerRoutine routine,
                                  const TransferControl* starter = nullptr);

    std::shared_ptr<Worker> search_thread() const;
    std::shared_ptr<Worker> worker_thread() const;

    // Each acts on both slots' workers, search_thread first.
    void pause_slots();
    void resume_slots();
    void stop_slots();

    // Stops every worker ever started, slotted or not, and refuses new ones.
    void close();
    // Waits for every worker to end, at most until `deadline`, and joins those
    // that did. True when none is left running.
    bool join_all(std::chrono::steady_clock::time_point deadline);

  private:
    void join_finished_locked();

    mutable std::mutex mutex_;
    std::shared_ptr<Worker> search_thread_;
    std::shared_ptr<Worker> worker_thread_;
    std::vector<std::shared_ptr<Worker>> running_;
    bool closed_ = false;
};

// Starts `routine` on a new thread that no slot holds.
std::shared_ptr<Worker> start_thread(const WorkerEnvironment& env, WorkerRoutine routine);

// Asks `worker` to end; it does so at its next step or inside its transfer.
// Nothing happens for a null worker or one that has ended.
void stop_thread(const std::shared_ptr<Worker>& worker);

}  // namespace vx
