#pragma once

// Reads a list page the way the program does: the cut between the header
// marker and the kind's end marker, backslashes and then the escaped-break
// residue removed, and the kind's pattern run without regard to letter case.
// Written apart from the site's code so that the two check each other.

#include <string>
#include <string_view>
#include <vector>

namespace vx::test {

struct ListedTrack {
    std::string link;
    std::string name;
    friend bool operator==(const ListedTrack&, const ListedTrack&) = default;
};

inline constexpr std::string_view kKeywords[] = {"dujia", "fengGe", "dasai", "ZJlist"};

// The kind the program picks for an address: the first keyword found, else 5.
int kind_of_address(std::string_view address);

// The raw region, or empty when a marker is missing.
std::string list_region(std::string_view page, int kind);
std::string clean_region(std::string region);
std::vector<ListedTrack> match_tracks(std::string_view region, int kind);
std::vector<ListedTrack> read_list_page(std::string_view page, int kind);

}  // namespace vx::test
