#pragma once

// The demo catalogue's tracks: names, links and media ids, made up from a
// serial number so that every track differs and every run gives the same site.

#include <vector>

#include "demo/demo_site.h"
#include "text/text.h"

namespace vx {

// The name a list page shows for track `serial`: Chinese words in code page
// 936, some with ASCII letters, digits or full-width characters. Never holds a
// backslash, "<", "/", a line break or the escaped-break residue.
Text demo_track_name(int serial);
// "/play/<serial>.htm"
Text demo_track_link(int serial);
// "<year>/<month>/dj<serial>", e.g. "2024/07/dj10012".
Text demo_media_id(int serial);

// `count` tracks with serials first_serial, first_serial + 1, ...; their mp3
// fields are left empty.
std::vector<DemoTrack> make_demo_tracks(int first_serial, int count);

}  // namespace vx
