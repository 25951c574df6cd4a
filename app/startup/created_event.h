#pragma once

// What the main window runs once it is built, on the window's thread and
// before the event loop: the skin, then the version check.

#include <functional>
#include <optional>

#include "app/site_addresses.h"
#include "app/track_window.h"
#include "text/text.h"

namespace vx {

// The two things the version check does to the outside world, kept apart so
// that tests can watch them instead of showing a dialog or starting a browser.
struct StartupSeam {
    // A modal message box with one OK button and no icon; returns when closed.
    std::function<void(const Text& message, const Text& caption)> show_message;
    // Opens an address with the system's default handler.
    std::function<void(const Text& address)> open_address;
};

// The real seam: a QMessageBox and QDesktopServices.
StartupSeam desktop_startup_seam();

// Runs the created event. Returns the exit code when the program must end now,
// nullopt when start-up goes on.
std::optional<int> run_created_event(const SiteAddresses& sites, TrackWindow& window,
                                     const StartupSeam& seam,
                                     const std::function<void()>& process_events);

}  // namespace vx
