#pragma once

// The three sites the program talks to, kept in one value so that the demo
// and the tests can point the same code at servers on loopback.

#include "text/text.h"

namespace vx {

struct SiteAddresses {
    // Scheme and host of the catalogue site, no trailing separator.
    Text catalogue_base = "http://www.dj-catalogue.example";
    // The media server: scheme, host, port 8588 and the path "/".
    Text media_base = "http://media.dj-catalogue.example:8588/";
    // Scheme and host of the author's site, no trailing separator.
    Text author_base = "http://www.vellumix-author.example";
};

inline Text list_index_address(const SiteAddresses& sites) {
    return sites.catalogue_base + "/DJlist/index.htm";
}
inline Text update_notice_address(const SiteAddresses& sites) {
    return sites.author_base + "/?post=5";
}
inline Text author_home_address(const SiteAddresses& sites) {
    return sites.author_base + "/";
}

}  // namespace vx
