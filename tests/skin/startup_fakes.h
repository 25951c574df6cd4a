#pragma once

// A main window reduced to its version label, and a seam that records what
// start-up would have shown and opened.

#include <string>
#include <vector>

#include "app/startup/created_event.h"
#include "app/track_window.h"

namespace vx::testing {

class LabelOnlyWindow : public TrackWindow {
  public:
    explicit LabelOnlyWindow(Text version) : version_(std::move(version)) {}

    void clear_rows() override {}
    int append_row() override { return 0; }
    void set_cell(int, int, const Text&) override {}
    Text cell(int, int) override { return {}; }
    int row_count() override { return 0; }
    Text address_text() override { return {}; }
    Text version_text() override { return version_; }
    Text pause_caption() override { return {}; }
    void set_pause_caption(const Text&) override {}

  private:
    Text version_;
};

// Each event as one line: "message <caption>|<text>" or "open <address>".
struct RecordingSeam {
    std::vector<std::string> events;

    StartupSeam seam() {
        StartupSeam s;
        s.show_message = [this](const Text& message, const Text& caption) {
            events.push_back("message " + caption.str() + "|" + message.str());
        };
        s.open_address = [this](const Text& address) { events.push_back("open " + address.str()); };
        return s;
    }
};

}  // namespace vx::testing
