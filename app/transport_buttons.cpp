#include "app/transport_buttons.h"

#include "app/workers.h"

namespace vx {

void search_clicked(const WorkerEnvironment& env) {
    env.worker_slots.start(Slot::search_thread, env, search_worker);
}

void download_all_clicked(const WorkerEnvironment& env) {
    env.worker_slots.start(Slot::worker_thread, env, download_worker);
}

void stop_clicked(WorkerSlots& worker_slots) {
    worker_slots.stop_slots();
}

void pause_clicked(TrackWindow& window, WorkerSlots& worker_slots) {
    const Text caption = window.pause_caption();
    if (caption == kCaptionPause) {
        worker_slots.pause_slots();
        window.set_pause_caption(kCaptionContinue);
    } else if (caption == kCaptionContinue) {
        worker_slots.resume_slots();
        window.set_pause_caption(kCaptionPause);
    }
}

}  // namespace vx
