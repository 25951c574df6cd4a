#pragma once

// A main window pointed at a demo site on loopback, with a program directory
// of its own, and the means to click its buttons and wait for its workers.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "demo/demo_site.h"

namespace vx::testing_support {

// The controls' names in UTF-8.
inline constexpr const char* kAddressBox =
    "\xE7\xBC\x96\xE8\xBE\x91\xE6\xA1\x86"
    "2";  // 编辑框2
inline constexpr const char* kSearchButton =
    "\xE6\x8C\x89\xE9\x92\xAE"
    "1";  // 按钮1
inline constexpr const char* kPauseButton =
    "\xE6\x8C\x89\xE9\x92\xAE"
    "2";  // 按钮2
inline constexpr const char* kStopButton =
    "\xE6\x8C\x89\xE9\x92\xAE"
    "3";  // 按钮3
inline constexpr const char* kDownloadButton =
    "\xE6\x8C\x89\xE9\x92\xAE"
    "4";  // 按钮4
inline constexpr const char* kVersionLabel =
    "\xE6\xA0\x87\xE7\xAD\xBE"
    "1";  // 标签1
inline constexpr const char* kTrackList =
    "\xE8\xB6\x85\xE7\xBA\xA7\xE5\x88\x97\xE8\xA1\xA8\xE6\xA1\x86"
    "1";  // 超级列表框1

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the demo site and a window pointed at it.
    void start(DemoSiteOptions options = {});

    TrackWindow& tracks() { return window->track_window(); }
    WorkerSlots& worker_slots() { return window->worker_slots(); }
    void click(const char* button);
    void set_address(const Text& address);

    // Runs the window's event loop until `done` holds or `limit` passes.
    bool wait_for(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Runs the event loop for `span`, for checks that nothing happens.
    void keep_running(std::chrono::milliseconds span);
    // Waits until `worker` has ended.
    bool wait_ended(const std::shared_ptr<Worker>& worker,
                    std::chrono::milliseconds limit = std::chrono::seconds(10));

    // Search, wait for it and the resolve run it starts.
    void search_and_resolve(const Text& address);

    std::vector<RecordedRequest> requests_to(const std::string& server) const;
    // The names of the files in the program's directory.
    std::set<std::string> files() const;
    std::string file_content(const std::string& name) const;
    void write_file(const std::string& name, const std::string& content) const;

    std::filesystem::path program_dir;
    std::unique_ptr<DemoSite> site;
    std::unique_ptr<MainWindow> window;
};

}  // namespace vx::testing_support
