#pragma once

// The author's site: the update notice that publishes the current version,
// and a small home page.

#include <string_view>

#include "text/text.h"

namespace vx {

// The notice at "/?post=5"; the version stands between the version markers.
Bytes update_notice_page(std::string_view published_version);
// The page at "/".
Bytes author_home_page();

}  // namespace vx
