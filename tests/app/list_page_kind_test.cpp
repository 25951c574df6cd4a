#include <gtest/gtest.h>

#include <string>

#include "app/list_page_kind.h"

namespace vx {
namespace {

struct KindCase {
    const char* address;
    int kind;
};

class ListPageKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(ListPageKindTest, ChoosesTheFirstKindWhoseKeywordOccurs) {
    EXPECT_EQ(choose_list_page_kind(GetParam().address).number, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, ListPageKindTest,
    ::testing::Values(KindCase{"http://h.example/DJlist/dujia/1.htm", 1},
                      KindCase{"http://h.example/fengGe/12.htm", 2},
                      KindCase{"http://h.example/dasai/", 3},
                      KindCase{"http://h.example/ZJlist/7.htm", 4},
                      KindCase{"http://h.example/DJlist/index.htm", 5},
                      // Both keywords: the table's order decides, not the address's.
                      KindCase{"http://h.example/ZJlist/dasai.htm", 3},
                      KindCase{"http://h.example/dujia/fengGe.htm", 1},
                      // Letter case counts.
                      KindCase{"http://h.example/FENGGE/DUJIA/Dasai/zjlist", 5},
                      // Host and query count too.
                      KindCase{"http://dasai.h.example/x.htm", 3},
                      KindCase{"http://h.example/x.htm?from=ZJlist", 4}, KindCase{"", 5}));

std::string page_with(std::string_view table, std::string_view end_marker) {
    return "<html>" + std::string(kHeaderMarker) + std::string(table) + std::string(end_marker) +
           "tail" + std::string(kPagerMarker) + "</html>";
}

TEST(TrackTableRegionTest, CutsAtTheKindsEndMarkerAndCleans) {
    const ListPageKind& kind1 = choose_list_page_kind("dujia");
    const ListPageKind& kind4 = choose_list_page_kind("ZJlist");

    EXPECT_EQ(track_table_region(page_with("rows", kPagerMarker), kind1), Text("rows"));
    EXPECT_EQ(track_table_region(page_with("rows", kMoreContentMarker), kind4), Text("rows"));
    // Kind 4 ends only at its own marker.
    EXPECT_EQ(track_table_region(page_with("a", kPagerMarker), kind4), Text());

    // Backslashes go first, so noise split by one is removed as well.
    EXPECT_EQ(track_table_region(page_with("A\\Bntttntttt C", kPagerMarker), kind1), Text("AB C"));
    EXPECT_EQ(track_table_region(page_with("xnttt\\nttttY", kPagerMarker), kind1), Text("xY"));
    // Letter case counts in the noise.
    EXPECT_EQ(track_table_region(page_with("NTTTNTTTT", kPagerMarker), kind1), Text("NTTTNTTTT"));

    // Markers must match byte for byte: without the header's carriage return,
    // or with no end marker after it, there is no table.
    std::string no_return = page_with("rows", kPagerMarker);
    no_return.erase(no_return.find('\r'), 1);
    EXPECT_EQ(track_table_region(no_return, kind1), Text());
    EXPECT_EQ(track_table_region("<x>" + std::string(kHeaderMarker) + "rows", kind1), Text());
}

}  // namespace
}  // namespace vx
