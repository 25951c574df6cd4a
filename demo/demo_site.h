#pragma once

// A small catalogue site on loopback: list pages of all five kinds, track
// pages with the media script line, a media server with small MP3 files and an
// update-notice page. The demo program and the tests use it alike.

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/site_addresses.h"
#include "text/text.h"

namespace vx {

struct DemoTrack {
    Text name;      // as the list page shows it, code page 936
    Text link;      // the track page's link as the list page gives it
    Text media_id;  // what the track page's script names
    // The file the media server sends for it. Sites that make large files
    // (DemoSiteOptions::mp3_size > 0) stream them and leave this empty: then
    // DemoSite::mp3_file gives the bytes.
    Bytes mp3;
    std::size_t mp3_length = 0;  // the length of that file in bytes
};

struct DemoSiteOptions {
    int tracks_per_page = 36;          // tracks on each list page
    std::size_t mp3_size = 0;          // 0: a small file; otherwise about this many bytes
    Text published_version = "1.0.1";  // what the update-notice page publishes
};

// One request as the server received it.
struct RecordedRequest {
    std::string server;  // "catalogue", "media" or "author"
    std::string method;
    std::string target;  // path and query as sent
    std::chrono::steady_clock::time_point at;
};

enum class Fault {
    none,
    not_found,  // answer 404 with a small error page
    cut_off,    // announce the whole length, send half, close
    hang,       // accept and send nothing until the site shuts down
};

class DemoSite {
  public:
    explicit DemoSite(DemoSiteOptions options = {});
    ~DemoSite();
    DemoSite(const DemoSite&) = delete;
    DemoSite& operator=(const DemoSite&) = delete;

    // All three sites on loopback, each on a free port chosen at start.
    SiteAddresses addresses() const;

    // Kind 1 to 5; kind 5 is the list index "/DJlist/index.htm". Empty for
    // any other kind. Track names and links differ across all five pages.
    Text list_page_address(int kind) const;
    const std::vector<DemoTrack>& tracks(int kind) const;
    // The bytes the media server sends for `track`, whether held or streamed.
    Bytes mp3_file(const DemoTrack& track) const;
    // False when a server could not bind or start; its address then names port 0.
    bool serving() const;

    // Serves `body` for `target` (path and optional query) on the catalogue
    // site, replacing any page there.
    void put_page(const std::string& target, Bytes body);
    // A fault for one target (path and optional query, compared with the
    // request's target as sent) on any of the three sites; Fault::none clears it.
    void set_fault(const std::string& target, Fault fault);
    // A pause before every response from now on; zero ends it. Shutting down
    // cuts a pause short.
    void set_delay(std::chrono::milliseconds delay);

    std::vector<RecordedRequest> requests() const;
    void clear_requests();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vx
