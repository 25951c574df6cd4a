#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <set>
#include <string>

#include "demo/demo_site.h"
#include "demo/track_catalogue.h"
#include "tests/demo/http_get.h"
#include "tests/demo/list_reader.h"

namespace vx {
namespace {

using test::http_get;

class ListPages : public ::testing::TestWithParam<int> {
  protected:
    static void SetUpTestSuite() { site_ = std::make_unique<DemoSite>(); }
    static void TearDownTestSuite() { site_.reset(); }
    static std::unique_ptr<DemoSite> site_;
};
std::unique_ptr<DemoSite> ListPages::site_;

TEST_P(ListPages, ProgramReaderFindsEveryTrackInOrder) {
    const int kind = GetParam();
    const Text address = site_->list_page_address(kind);
    ASSERT_EQ(test::kind_of_address(address.view()), kind) << address.str();
    const auto response = http_get(address.view());
    ASSERT_TRUE(response.has_value());
    ASSERT_EQ(response->status, 200);

    const std::vector<DemoTrack>& tracks = site_->tracks(kind);
    ASSERT_EQ(tracks.size(), 36u);
    std::vector<test::ListedTrack> expected;
    for (const DemoTrack& track : tracks) {
        expected.push_back({track.link.str(), track.name.str()});
    }
    EXPECT_EQ(test::read_list_page(response->body, kind), expected);
}

TEST_P(ListPages, PageCarriesCharsetLineEndsAndTemplateNoise) {
    const int kind = GetParam();
    const auto response = http_get(site_->list_page_address(kind).view());
    ASSERT_TRUE(response.has_value());
    const std::string& page = response->body;

    // The client leaves code page 936 bytes alone only when it sees this early.
    const std::string head = page.substr(0, 1024);
    EXPECT_TRUE(head.find("charset=gb2312") != std::string::npos ||
                head.find("charset=gbk") != std::string::npos);

    std::size_t bare_line_feeds = 0;
    for (std::size_t i = 0; i < page.size(); ++i) {
        bare_line_feeds += page[i] == '\n' && (i == 0 || page[i - 1] != '\r');
    }
    EXPECT_EQ(bare_line_feeds, 0u);

    // Uncleaned, the escaped rows do not match: the cleaning is exercised.
    const std::string region = test::list_region(page, kind);
    ASSERT_FALSE(region.empty());
    EXPECT_LT(test::match_tracks(region, kind).size(), site_->tracks(kind).size());
    EXPECT_NE(region.find("\\\""), std::string::npos);
    EXPECT_NE(region.find("\\n\\t\\t\\t\\n\\t\\t\\t\\t"), std::string::npos);
    EXPECT_NE(region.find("<A HREF"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ListPages, ::testing::Values(1, 2, 3, 4, 5));

TEST(ListIndex, IsTheAddressBoxDefault) {
    const DemoSite site;
    EXPECT_EQ(list_index_address(site.addresses()), site.list_page_address(5));
    EXPECT_EQ(test::kind_of_address(list_index_address(site.addresses()).view()), 5);
    EXPECT_TRUE(site.list_page_address(0).empty());
    EXPECT_TRUE(site.list_page_address(6).empty());
    EXPECT_TRUE(site.tracks(6).empty());
}

TEST(ListPagesSize, TracksPerPageOptionFillsOnePageWithThousands) {
    const DemoSite site(DemoSiteOptions{5000, 0, "1.0.1"});
    const auto response = http_get(site.list_page_address(5).view());
    ASSERT_TRUE(response.has_value());
    EXPECT_EQ(test::read_list_page(response->body, 5).size(), 5000u);
}

TEST(TrackNames, SurviveTheCleaningAndDifferFromEachOther) {
    std::set<std::string> seen;
    bool ascii_letters = false;
    bool digits = false;
    bool full_width = false;
    for (int serial = 10001; serial < 10001 + 500; ++serial) {
        const std::string name = demo_track_name(serial).str();
        ASSERT_TRUE(seen.insert(name).second) << name;
        EXPECT_EQ(test::clean_region(name), name);
        for (const std::string_view forbidden : {"<", "/", "\r", "\n", "'", "\""}) {
            EXPECT_EQ(name.find(forbidden), std::string::npos) << name;
        }
        // Byte-wise and character-wise cleaning agree only when no second
        // byte of a two-byte character is ASCII.
        for (std::size_t i = 0; i < name.size(); ++i) {
            const auto byte = static_cast<unsigned char>(name[i]);
            if (byte >= 0x80) {
                ASSERT_LT(i + 1, name.size());
                EXPECT_GE(static_cast<unsigned char>(name[i + 1]), 0xA1) << name;
                full_width = full_width || byte == 0xA3;
                ++i;
            } else {
                ascii_letters = ascii_letters || std::isalpha(byte) != 0;
                digits = digits || std::isdigit(byte) != 0;
            }
        }
    }
    EXPECT_TRUE(ascii_letters);
    EXPECT_TRUE(digits);
    EXPECT_TRUE(full_width);
}

}  // namespace
}  // namespace vx
