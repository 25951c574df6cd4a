#pragma once

// The catalogue's list pages, one for each of the five kinds the program
// tells apart by a keyword in the address.

#include <vector>

#include "demo/demo_site.h"
#include "text/text.h"

namespace vx {

inline constexpr int kFirstListKind = 1;
inline constexpr int kLastListKind = 5;

// The page's path on the catalogue site: "/dujia/index.htm",
// "/fengGe/list_1.htm", "/dasai/index.htm", "/ZJlist/index.htm" and, for
// kind 5, the list index "/DJlist/index.htm". Empty for any other kind.
Text list_page_path(int kind);

// The page in code page 936 with CR LF line ends: the track table starts
// with the header cell and ends with the kind's end marker (the pager, or for
// kind 4 the more-content note). Its rows carry the site's template noise
// (escaped quotes, escaped breaks, tags in other letter cases) that the
// program cleans away before it matches.
Bytes list_page(int kind, const std::vector<DemoTrack>& tracks);

// The catalogue's home page at "/": links to the five list pages.
Bytes catalogue_home_page();

}  // namespace vx
