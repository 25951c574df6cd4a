#include <string>

#include "app/list_page_kind.h"
#include "app/track_file_name.h"
#include "tests/app/app_fixture.h"

namespace vx::testing_support {
namespace {

class FlowTest : public AppTest, public ::testing::WithParamInterface<int> {};

TEST_P(FlowTest, SearchResolveAndDownloadEveryTrack) {
    DemoSiteOptions options;
    options.tracks_per_page = 5;
    start(options);
    const int kind = GetParam();
    const std::vector<DemoTrack>& expected = site->tracks(kind);
    const SiteAddresses sites = site->addresses();

    if (kind == 5) {
        // The address box starts on the list index, which is kind 5.
        click(kSearchButton);
        ASSERT_TRUE(wait_ended(worker_slots().search_thread()));
        ASSERT_TRUE(wait_ended(worker_slots().worker_thread()));
    } else {
        search_and_resolve(site->list_page_address(kind));
    }

    ASSERT_EQ(tracks().row_count(), static_cast<int>(expected.size()));
    std::set<std::string> expected_files;
    for (int row = 0; row < tracks().row_count(); ++row) {
        const DemoTrack& track = expected[static_cast<std::size_t>(row)];
        EXPECT_EQ(tracks().cell(row, kNameColumn), track.name) << row;
        EXPECT_EQ(tracks().cell(row, kLinkColumn), track.link) << row;
        EXPECT_EQ(tracks().cell(row, kStatusColumn), Text(kStatusReady)) << row;
        EXPECT_EQ(tracks().cell(row, kMp3AddressColumn), sites.media_base + track.media_id + ".mp3")
            << row;
        expected_files.insert(track_file_name(track.name).value());
    }
    // One request for the list page, one per track page.
    EXPECT_EQ(requests_to("catalogue").size(), expected.size() + 1);

    click(kDownloadButton);
    ASSERT_TRUE(wait_ended(worker_slots().worker_thread()));
    for (int row = 0; row < tracks().row_count(); ++row) {
        const DemoTrack& track = expected[static_cast<std::size_t>(row)];
        EXPECT_EQ(tracks().cell(row, kStatusColumn), Text(kStatusDone)) << row;
        EXPECT_EQ(file_content(track_file_name(track.name).value()), track.mp3) << row;
    }
    EXPECT_EQ(files(), expected_files);
    EXPECT_EQ(requests_to("media").size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(ListPageKinds, FlowTest, ::testing::Values(1, 2, 3, 4, 5));

std::string table_row(const std::string& link, const std::string& name) {
    return "<div class=\"DJnameLink\"><a href=\"" + link + "\" target=\"_blank\"><span class='n'>" +
           name + "</span></a></div>\r\n";
}

TEST_F(AppTest, SearchTakesTheTableAsThePatternSeesIt) {
    start();
    const SiteAddresses sites = site->addresses();
    const std::string page =
        "<html>\r\n" + std::string(kHeaderMarker) + "\n" + table_row("/play/1.htm", "A") +
        table_row("/play/2.htm", "B\\Cntttntttt D") +
        "<DIV CLASS=\"DJnameLink\"><A HREF=\"/play/3.htm\" TARGET=\"_blank\"><SPAN "
        "CLASS='n'>F</SPAN></A></DIV>\r\n" +
        table_row("/play/4.htm", "G\nH") + table_row("/play/\n5.htm", "I") +
        table_row("/play/6.htm", "J") + std::string(kPagerMarker) + "</html>";
    site->put_page("/DJlist/custom.htm", page);
    site->put_page("/play/1.htm", "<script>url: musicUrl + 'x/y/abc.mp3',\r\n</script>");
    // A script line ending in a bare line feed gives no identifier.
    site->put_page("/play/2.htm", "<script>url: musicUrl + 'bare.mp3',\n</script>");

    search_and_resolve(sites.catalogue_base + "/DJlist/custom.htm");

    struct Row {
        const char* link;
        const char* name;
        Text mp3;
    };
    const Row rows[] = {
        {"/play/1.htm", "A", sites.media_base + "x/y/abc.mp3"},
        {"/play/2.htm", "BC D", sites.media_base + ".mp3"},
        {"/play/3.htm", "F", sites.media_base + ".mp3"},  // no such page
        {"/play/6.htm", "J", sites.media_base + ".mp3"},
    };
    ASSERT_EQ(tracks().row_count(), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(tracks().cell(row, kLinkColumn), Text(rows[row].link)) << row;
        EXPECT_EQ(tracks().cell(row, kNameColumn), Text(rows[row].name)) << row;
        EXPECT_EQ(tracks().cell(row, kStatusColumn), Text(kStatusReady)) << row;
        EXPECT_EQ(tracks().cell(row, kMp3AddressColumn), rows[row].mp3) << row;
    }
}

TEST_F(AppTest, PageWithoutEndMarkerGivesNoRowsAndNoResolveRequests) {
    start();
    tracks().append_row();  // the search clears what was there
    site->put_page("/DJlist/noend.htm", "<html>" + std::string(kHeaderMarker) +
                                            table_row("/play/1.htm", "A") + "</html>");
    search_and_resolve(site->addresses().catalogue_base + "/DJlist/noend.htm");
    EXPECT_EQ(tracks().row_count(), 0);
    EXPECT_EQ(requests_to("catalogue").size(), 1u);
}

}  // namespace
}  // namespace vx::testing_support
