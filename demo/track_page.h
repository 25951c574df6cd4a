#pragma once

// A track's page on the catalogue site: a player whose inline script names
// the track's file on the media server.

#include <string_view>

#include "demo/demo_site.h"
#include "text/text.h"

namespace vx {

// Code page 936 HTML with CR LF line ends; its script holds the line
// "url: musicUrl + '<media id>.mp3',\r\n". `media_base` is the media
// server's address that the script's musicUrl holds.
Bytes track_page(const DemoTrack& track, std::string_view media_base);

}  // namespace vx
