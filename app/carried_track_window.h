#pragma once

// The track window as the workers see it: every operation is carried over to
// the owner thread of a CallQueue and done there on the real controls.

#include "app/call_queue.h"
#include "app/track_window.h"

namespace vx {

class CarriedTrackWindow final : public TrackWindow {
  public:
    // `target` is only ever used on the queue's owner thread.
    CarriedTrackWindow(CallQueue& queue, TrackWindow& target) : queue_(queue), target_(target) {}

    // Once the queue is closed (the window is closing) reads give the empty
    // text or 0, append_row gives -1 and writes do nothing.
    void clear_rows() override;
    int append_row() override;
    void set_cell(int row, int column, const Text& text) override;
    Text cell(int row, int column) override;
    int row_count() override;
    Text address_text() override;
    Text version_text() override;
    Text pause_caption() override;
    void set_pause_caption(const Text& caption) override;

  private:
    CallQueue& queue_;
    TrackWindow& target_;
};

}  // namespace vx
