#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "tests/app/app_fixture.h"

namespace vx::testing_support {
namespace {

using namespace std::chrono_literals;

std::string path_of(const Text& address, const SiteAddresses& sites) {
    return address.str().substr(sites.catalogue_base.size());
}

std::vector<Text> column(TrackWindow& tracks, int column) {
    std::vector<Text> cells;
    for (int row = 0; row < tracks.row_count(); ++row) {
        cells.push_back(tracks.cell(row, column));
    }
    return cells;
}

class TransportTest : public AppTest {
  protected:
    // A search of 12 tracks whose resolve run has made a few requests, slowly.
    void start_slow_resolve_run() {
        DemoSiteOptions options;
        options.tracks_per_page = 12;
        start(options);
        site->set_delay(15ms);
        set_address(site->list_page_address(1));
        click(kSearchButton);
        ASSERT_TRUE(wait_for([&] { return requests_to("catalogue").size() >= 4; }));
    }
};

TEST_F(TransportTest, PauseAndStopBeforeAnySearch) {
    start();
    click(kPauseButton);
    EXPECT_EQ(tracks().pause_caption(), Text(kCaptionContinue));
    click(kStopButton);
    EXPECT_EQ(tracks().pause_caption(), Text(kCaptionContinue));
    click(kPauseButton);
    EXPECT_EQ(tracks().pause_caption(), Text(kCaptionPause));
    EXPECT_EQ(worker_slots().search_thread(), nullptr);
    EXPECT_EQ(worker_slots().worker_thread(), nullptr);

    // Any other caption: the click does nothing.
    tracks().set_pause_caption("x");
    click(kPauseButton);
    EXPECT_EQ(tracks().pause_caption(), Text("x"));
    EXPECT_TRUE(site->requests().empty());
}

TEST_F(TransportTest, PauseHoldsTheWorkersUntilContinue) {
    start_slow_resolve_run();
    click(kPauseButton);
    EXPECT_EQ(tracks().pause_caption(), Text(kCaptionContinue));
    keep_running(100ms);  // what was under way when the click came

    const std::size_t requests = site->requests().size();
    const std::vector<Text> addresses = column(tracks(), kMp3AddressColumn);
    EXPECT_TRUE(addresses.back().empty());
    keep_running(300ms);
    EXPECT_EQ(site->requests().size(), requests);
    EXPECT_EQ(column(tracks(), kMp3AddressColumn), addresses);

    click(kPauseButton);
    EXPECT_EQ(tracks().pause_caption(), Text(kCaptionPause));
    ASSERT_TRUE(wait_ended(worker_slots().worker_thread()));
    for (const Text& address : column(tracks(), kMp3AddressColumn)) {
        EXPECT_NE(address, site->addresses().media_base + ".mp3");
    }
}

TEST_F(TransportTest, StopEndsTheWorkersForGood) {
    start_slow_resolve_run();
    const auto resolve = worker_slots().worker_thread();
    click(kStopButton);
    ASSERT_TRUE(wait_ended(resolve, 1s));
    EXPECT_EQ(tracks().pause_caption(), Text(kCaptionPause));

    const std::size_t requests = site->requests().size();
    const std::vector<Text> addresses = column(tracks(), kMp3AddressColumn);
    keep_running(300ms);
    EXPECT_EQ(site->requests().size(), requests);
    EXPECT_EQ(column(tracks(), kMp3AddressColumn), addresses);
    EXPECT_TRUE(addresses.back().empty());
}

TEST_F(TransportTest, StoppedSearchStartsNoResolveRun) {
    start();
    const Text address = site->list_page_address(2);
    site->set_fault(path_of(address, site->addresses()), Fault::hang);
    set_address(address);
    click(kSearchButton);
    ASSERT_TRUE(wait_for([&] { return !requests_to("catalogue").empty(); }));
    click(kStopButton);
    ASSERT_TRUE(wait_ended(worker_slots().search_thread(), 1s));
    keep_running(50ms);
    EXPECT_EQ(worker_slots().worker_thread(), nullptr);
    EXPECT_EQ(tracks().row_count(), 0);
}

TEST_F(TransportTest, SearchClickedTwiceWhilePaused) {
    DemoSiteOptions options;
    options.tracks_per_page = 4;
    start(options);
    // Paused with empty slots: new searches still run.
    click(kPauseButton);
    set_address(site->list_page_address(3));
    click(kSearchButton);
    const auto first = worker_slots().search_thread();
    click(kSearchButton);
    const auto second = worker_slots().search_thread();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);

    ASSERT_TRUE(wait_ended(first));
    ASSERT_TRUE(wait_ended(second));
    ASSERT_TRUE(wait_ended(worker_slots().worker_thread()));
    // Both cleared and filled the same list, so it holds one or two runs' rows,
    // each row complete.
    const int rows = tracks().row_count();
    EXPECT_TRUE(rows == 4 || rows == 8) << rows;
    for (int row = 0; row < rows; ++row) {
        EXPECT_FALSE(tracks().cell(row, kNameColumn).empty());
        EXPECT_FALSE(tracks().cell(row, kLinkColumn).empty());
        EXPECT_EQ(tracks().cell(row, kStatusColumn), Text(kStatusReady));
    }
    EXPECT_EQ(tracks().pause_caption(), Text(kCaptionContinue));
}

TEST_F(TransportTest, DownloadAllDuringAResolveRunTakesItsSlot) {
    DemoSiteOptions options;
    options.tracks_per_page = 6;
    start(options);
    const std::vector<DemoTrack>& expected = site->tracks(1);
    // The resolve run hangs on the fourth track page.
    site->set_fault(expected[3].link.str(), Fault::hang);
    set_address(site->list_page_address(1));
    click(kSearchButton);
    ASSERT_TRUE(wait_for([&] { return requests_to("catalogue").size() == 5; }));
    const auto resolve = worker_slots().worker_thread();

    click(kDownloadButton);
    const auto download = worker_slots().worker_thread();
    EXPECT_NE(download, resolve);
    ASSERT_TRUE(wait_ended(download));
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(tracks().cell(row, kStatusColumn), Text(row < 3 ? kStatusDone : kStatusFailed))
            << row;
    }
    EXPECT_EQ(requests_to("media").size(), 3u);
    EXPECT_EQ(files().size(), 3u);

    // Out of its slot, the resolve run is out of Stop's reach.
    click(kStopButton);
    keep_running(100ms);
    EXPECT_FALSE(resolve->finished());
}

// Stand-in routines for the race at the end of a search: the starter has
// passed its last check when Pause comes, and only then starts its follower.
std::atomic<bool> g_starter_go{false};
std::atomic<int> g_held_steps{0};

void held_worker(const WorkerContext& context) {
    while (context.control.wait_while_paused()) {
        ++g_held_steps;
        std::this_thread::sleep_for(1ms);
    }
}

void follower(const WorkerContext& context) {
    context.control.wait_while_paused();
}

void late_starter(const WorkerContext& context) {
    while (!g_starter_go) {
        std::this_thread::sleep_for(1ms);
    }
    context.env.worker_slots.start(Slot::worker_thread, context.env, follower, &context.control);
}

TEST_F(TransportTest, PausedStarterStartsNothingUntilContinue) {
    start();
    g_starter_go = false;
    g_held_steps = 0;
    const WorkerEnvironment env{site->addresses(), program_dir, tracks(), worker_slots()};
    const auto held = worker_slots().start(Slot::worker_thread, env, held_worker);
    const auto starter = worker_slots().start(Slot::search_thread, env, late_starter);
    ASSERT_TRUE(wait_for([] { return g_held_steps > 0; }));

    click(kPauseButton);
    g_starter_go = true;
    keep_running(100ms);
    // Paused, the starter does not advance: the slot still holds what Pause held.
    EXPECT_EQ(worker_slots().worker_thread(), held);

    click(kPauseButton);
    ASSERT_TRUE(wait_ended(starter));
    EXPECT_NE(worker_slots().worker_thread(), held);
    ASSERT_TRUE(wait_ended(worker_slots().worker_thread()));
    // What Continue resumed goes on, though it has left its slot since.
    const int steps = g_held_steps;
    EXPECT_TRUE(wait_for([&] { return g_held_steps > steps; }, 1s));
}

}  // namespace
}  // namespace vx::testing_support
