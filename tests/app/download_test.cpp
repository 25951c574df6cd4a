#include <QApplication>
#include <chrono>
#include <string>

#include "tests/app/app_fixture.h"

namespace vx::testing_support {
namespace {

using namespace std::chrono_literals;

class DownloadTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        DemoSiteOptions options;
        options.tracks_per_page = 8;
        start(options);
    }

    const DemoTrack& track(int index) const {
        return site->tracks(1)[static_cast<std::size_t>(index)];
    }
    Text address_of(int index) const {
        return site->addresses().media_base + track(index).media_id + ".mp3";
    }
    std::string target_of(int index) const { return "/" + track(index).media_id.str() + ".mp3"; }

    void add_row(const Text& name, const Text& address, const Text& status = kStatusReady) {
        const int row = tracks().append_row();
        tracks().set_cell(row, kNameColumn, name);
        tracks().set_cell(row, kMp3AddressColumn, address);
        tracks().set_cell(row, kStatusColumn, status);
    }

    void download_all() {
        click(kDownloadButton);
        ASSERT_TRUE(wait_ended(worker_slots().worker_thread()));
    }
};

TEST_F(DownloadTest, FailedFetchesAndUnusableNamesAreMarkedAndRetried) {
    const std::string long_name(300, 'L');
    write_file("kept.mp3", "old");
    site->set_fault(target_of(5), Fault::not_found);
    site->set_fault(target_of(6), Fault::cut_off);

    add_row("a/b:c", address_of(0));
    add_row("...", address_of(1));
    add_row(long_name, address_of(2));
    add_row("dup", address_of(3));
    add_row("dup", address_of(4));
    add_row("kept", address_of(5));
    add_row("refused", "http://127.0.0.1:1/x.mp3");
    add_row("cut", address_of(6));
    add_row("unresolved", "");
    add_row("done before", address_of(7), kStatusDone);
    add_row("other", address_of(7), "x");
    download_all();

    const char* statuses[] = {
        kStatusDone,   kStatusFailed, kStatusDone,   kStatusDone, kStatusDone, kStatusFailed,
        kStatusFailed, kStatusFailed, kStatusFailed, kStatusDone, "x"};
    for (int row = 0; row < 11; ++row) {
        EXPECT_EQ(tracks().cell(row, kStatusColumn), Text(statuses[row])) << row;
    }
    const std::string shortened = std::string(251, 'L') + ".mp3";
    EXPECT_EQ(files(), (std::set<std::string>{"a_b_c.mp3", shortened, "dup.mp3", "kept.mp3"}));
    EXPECT_EQ(file_content("a_b_c.mp3"), track(0).mp3);
    EXPECT_EQ(file_content(shortened), track(2).mp3);
    EXPECT_EQ(file_content("dup.mp3"), track(4).mp3);  // the later row wins
    EXPECT_EQ(file_content("kept.mp3"), "old");        // a failure keeps what was there
    EXPECT_EQ(requests_to("media").size(), 6u);

    // The next Download all takes the failed rows again, and only those.
    site->set_fault(target_of(5), Fault::none);
    site->set_fault(target_of(6), Fault::none);
    site->clear_requests();
    download_all();
    EXPECT_EQ(tracks().cell(5, kStatusColumn), Text(kStatusDone));
    EXPECT_EQ(tracks().cell(7, kStatusColumn), Text(kStatusDone));
    for (const int row : {1, 6, 8}) {
        EXPECT_EQ(tracks().cell(row, kStatusColumn), Text(kStatusFailed)) << row;
    }
    EXPECT_EQ(file_content("kept.mp3"), track(5).mp3);
    EXPECT_EQ(file_content("cut.mp3"), track(6).mp3);
    EXPECT_EQ(requests_to("media").size(), 2u);
}

TEST_F(DownloadTest, ClosingDuringADownloadLeavesNoPartialFile) {
    site->set_fault(target_of(0), Fault::hang);
    add_row("closing", address_of(0));
    window->show();
    click(kDownloadButton);
    const auto download = worker_slots().worker_thread();
    ASSERT_TRUE(wait_for([&] { return !requests_to("media").empty(); }));

    window->close();
    EXPECT_TRUE(download->finished());
    EXPECT_TRUE(files().empty());
}

}  // namespace
}  // namespace vx::testing_support
