#pragma once

// What the four buttons do. Each handler runs on the window's thread and
// returns at once; none refuses a second click.

#include "app/track_window.h"
#include "app/worker_slots.h"

namespace vx {

// A new search thread into search_thread.
void search_clicked(const WorkerEnvironment& env);
// A new download thread into worker_thread.
void download_all_clicked(const WorkerEnvironment& env);
// Stops both slots' workers; the Pause caption stays as it is.
void stop_clicked(WorkerSlots& worker_slots);
// "暂停": pause both slots, caption "继续"; "继续": resume both, caption
// "暂停"; any other caption: nothing.
void pause_clicked(TrackWindow& window, WorkerSlots& worker_slots);

}  // namespace vx
