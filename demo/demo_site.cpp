#include "demo/demo_site.h"

#include <httplib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>

#include "demo/author_pages.h"
#include "demo/list_page.h"
#include "demo/silent_mp3.h"
#include "demo/track_catalogue.h"
#include "demo/track_page.h"

namespace vx {
namespace {

enum Site : std::size_t { kCatalogue = 0, kMedia = 1, kAuthor = 2, kSiteCount = 3 };
constexpr std::array<const char*, kSiteCount> kSiteNames = {"catalogue", "media", "author"};

constexpr const char* kLoopback = "127.0.0.1";
constexpr const char* kHtml = "text/html";
constexpr const char* kMpeg = "audio/mpeg";
constexpr std::size_t kChunkSize = 64 * 1024;
constexpr std::string_view kUpdateNoticeTarget = "/?post=5";

// A paused client stops reading; give it time before the server gives up on
// the connection. Idle and silent connections are dropped soon, so that
// shutting down never waits long for them.
constexpr time_t kWriteTimeoutSeconds = 10;
constexpr time_t kReadTimeoutSeconds = 1;
constexpr time_t kKeepAliveSeconds = 1;

Bytes not_found_page() {
    return "<html>\r\n<head><title>404 Not Found</title></head>\r\n"
           "<body><h1>404 Not Found</h1></body>\r\n</html>\r\n";
}

// What one response carries: a body held in memory, or an MP3 file produced
// as it is sent.
struct Reply {
    int status = 200;
    const char* content_type = kHtml;
    std::shared_ptr<const Bytes> body;
    std::optional<SilentMp3> mp3;

    std::size_t size() const { return mp3 ? mp3->size() : body->size(); }
    void append_range(std::size_t offset, std::size_t count, Bytes& out) const {
        if (mp3) {
            mp3->append_range(offset, count, out);
        } else if (offset < body->size()) {
            out.append(*body, offset, count);
        }
    }
};

Reply html(int status, Bytes body) {
    return Reply{status, kHtml, std::make_shared<const Bytes>(std::move(body)), std::nullopt};
}

struct TrackRef {
    std::size_t kind_index;
    std::size_t row;
};

}  // namespace

struct DemoSite::Impl {
    explicit Impl(DemoSiteOptions site_options);
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void build_catalogue();
    void start(Site site);
    void handle(Site site, const httplib::Request& request, httplib::Response& response);
    Reply find(Site site, const httplib::Request& request) const;
    void send(Reply reply, bool cut_off, httplib::Response& response);
    // False when the site began to shut down during the pause.
    bool pause(std::chrono::milliseconds delay);
    void wait_for_shutdown();
    bool stopping() const;

    const DemoSiteOptions options;
    std::array<std::vector<DemoTrack>, kLastListKind> tracks;
    std::unordered_map<std::string, TrackRef> by_link;          // "/play/10001.htm"
    std::unordered_map<std::string, TrackRef> by_media_target;  // "/2024/07/dj10001.mp3"
    const std::vector<DemoTrack> no_tracks;

    mutable std::mutex mutex;
    std::condition_variable wake;  // signalled once, when shutting down
    bool shutting_down = false;
    std::map<std::string, std::shared_ptr<const Bytes>> pages;
    std::map<std::string, Fault> faults;
    std::chrono::milliseconds delay{0};
    std::vector<RecordedRequest> recorded;

    std::array<httplib::Server, kSiteCount> servers;
    std::array<int, kSiteCount> ports{};
    std::array<std::atomic<bool>, kSiteCount> listen_ended{};
    std::array<std::thread, kSiteCount> threads;
};

DemoSite::Impl::Impl(DemoSiteOptions site_options) : options(std::move(site_options)) {
    build_catalogue();
    for (const Site site : {kCatalogue, kMedia, kAuthor}) {
        start(site);
    }
}

DemoSite::Impl::~Impl() {
    {
        const std::lock_guard lock(mutex);
        shutting_down = true;
    }
    wake.notify_all();
    for (std::size_t i = 0; i < kSiteCount; ++i) {
        if (threads[i].joinable()) {
            servers[i].stop();
            threads[i].join();
        }
    }
}

void DemoSite::Impl::build_catalogue() {
    const int per_page = std::max(0, options.tracks_per_page);
    int serial = 10001;
    for (int kind = kFirstListKind; kind <= kLastListKind; ++kind) {
        const auto kind_index = static_cast<std::size_t>(kind - 1);
        std::vector<DemoTrack>& list = tracks[kind_index];
        list = make_demo_tracks(serial, per_page);
        serial += per_page;
        for (std::size_t row = 0; row < list.size(); ++row) {
            DemoTrack& track = list[row];
            const SilentMp3 file(track.name.view(), options.mp3_size);
            track.mp3_length = file.size();
            if (options.mp3_size == 0) {
                track.mp3 = file.bytes();
            }
            by_link.emplace(track.link.str(), TrackRef{kind_index, row});
            by_media_target.emplace("/" + track.media_id.str() + ".mp3", TrackRef{kind_index, row});
        }
        pages[list_page_path(kind).str()] = std::make_shared<const Bytes>(list_page(kind, list));
    }
    pages["/"] = std::make_shared<const Bytes>(catalogue_home_page());
}

void DemoSite::Impl::start(Site site) {
    httplib::Server& server = servers[site];
    server.set_keep_alive_timeout(kKeepAliveSeconds);
    server.set_read_timeout(kReadTimeoutSeconds);
    server.set_write_timeout(kWriteTimeoutSeconds);
    const httplib::Server::Handler handler = [this, site](const httplib::Request& request,
                                                          httplib::Response& response) {
        handle(site, request, response);
    };
    server.Get(".*", handler);
    server.Post(".*", handler);
    server.Put(".*", handler);
    server.Patch(".*", handler);
    server.Delete(".*", handler);
    server.Options(".*", handler);

    const int port = server.bind_to_any_port(kLoopback);
    if (port <= 0) {
        return;
    }
    ports[site] = port;
    threads[site] = std::thread([this, site] {
        servers[site].listen_after_bind();
        listen_ended[site] = true;
    });
    // stop() does nothing before the server runs, so the destructor must not
    // be able to come first.
    while (!servers[site].is_running() && !listen_ended[site]) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool DemoSite::Impl::stopping() const {
    const std::lock_guard lock(mutex);
    return shutting_down;
}

bool DemoSite::Impl::pause(std::chrono::milliseconds pause_for) {
    std::unique_lock lock(mutex);
    return !wake.wait_for(lock, pause_for, [this] { return shutting_down; });
}

void DemoSite::Impl::wait_for_shutdown() {
    std::unique_lock lock(mutex);
    wake.wait(lock, [this] { return shutting_down; });
}

void DemoSite::Impl::handle(Site site, const httplib::Request& request,
                            httplib::Response& response) {
    Fault fault = Fault::none;
    std::chrono::milliseconds pause_for{0};
    {
        const std::lock_guard lock(mutex);
        recorded.push_back(RecordedRequest{kSiteNames[site], request.method, request.target,
                                           std::chrono::steady_clock::now()});
        pause_for = delay;
        if (const auto it = faults.find(request.target); it != faults.end()) {
            fault = it->second;
        }
    }
    if (pause_for.count() > 0) {
        pause(pause_for);
    }
    switch (fault) {
        case Fault::hang:
            wait_for_shutdown();
            // Headers may still go out as the connection closes; the body never does.
            response.set_content_provider(
                1, kHtml, [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
            return;
        case Fault::not_found:
            send(html(404, not_found_page()), false, response);
            return;
        case Fault::cut_off:
        case Fault::none:
            send(find(site, request), fault == Fault::cut_off, response);
            return;
    }
}

Reply DemoSite::Impl::find(Site site, const httplib::Request& request) const {
    switch (site) {
        case kCatalogue: {
            {
                const std::lock_guard lock(mutex);
                auto it = pages.find(request.target);
                if (it == pages.end()) {
                    it = pages.find(request.path);
                }
                if (it != pages.end()) {
                    return Reply{200, kHtml, it->second, std::nullopt};
                }
            }
            if (const auto it = by_link.find(request.path); it != by_link.end()) {
                const DemoTrack& track = tracks[it->second.kind_index][it->second.row];
                return html(200, track_page(track, "http://" + std::string(kLoopback) + ":" +
                                                       std::to_string(ports[kMedia]) + "/"));
            }
            break;
        }
        case kMedia:
            if (const auto it = by_media_target.find(request.path); it != by_media_target.end()) {
                const DemoTrack& track = tracks[it->second.kind_index][it->second.row];
                if (options.mp3_size == 0) {
                    return Reply{200, kMpeg, std::make_shared<const Bytes>(track.mp3),
                                 std::nullopt};
                }
                return Reply{200, kMpeg, nullptr, SilentMp3(track.name.view(), options.mp3_size)};
            }
            break;
        case kAuthor:
            if (request.target == kUpdateNoticeTarget) {
                return html(200, update_notice_page(options.published_version.view()));
            }
            if (request.path == "/") {
                return html(200, author_home_page());
            }
            break;
        case kSiteCount:
            break;
    }
    return html(404, not_found_page());
}

void DemoSite::Impl::send(Reply reply, bool cut_off, httplib::Response& response) {
    response.status = reply.status;
    if (!reply.mp3 && (!cut_off || reply.body->empty())) {
        response.set_content(*reply.body, reply.content_type);
        return;
    }
    const std::size_t total = reply.size();
    const std::size_t limit = cut_off ? total / 2 : total;
    const char* const content_type = reply.content_type;
    auto source = std::make_shared<const Reply>(std::move(reply));
    response.set_content_provider(
        total, content_type,
        [this, source, limit](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            // Returning false closes the connection with the body unfinished.
            if (offset >= limit || stopping()) {
                return false;
            }
            Bytes chunk;
            source->append_range(offset, std::min(kChunkSize, limit - offset), chunk);
            return sink.write(chunk.data(), chunk.size());
        });
}

DemoSite::DemoSite(DemoSiteOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {}

DemoSite::~DemoSite() = default;

SiteAddresses DemoSite::addresses() const {
    const auto base = [this](Site site) {
        return Text("http://" + std::string(kLoopback) + ":" + std::to_string(impl_->ports[site]));
    };
    return SiteAddresses{base(kCatalogue), base(kMedia) + "/", base(kAuthor)};
}

Text DemoSite::list_page_address(int kind) const {
    const Text path = list_page_path(kind);
    return path.empty() ? Text() : addresses().catalogue_base + path;
}

const std::vector<DemoTrack>& DemoSite::tracks(int kind) const {
    if (kind < kFirstListKind || kind > kLastListKind) {
        return impl_->no_tracks;
    }
    return impl_->tracks[static_cast<std::size_t>(kind - 1)];
}

Bytes DemoSite::mp3_file(const DemoTrack& track) const {
    if (impl_->options.mp3_size == 0 && !track.mp3.empty()) {
        return track.mp3;
    }
    return SilentMp3(track.name.view(), impl_->options.mp3_size).bytes();
}

bool DemoSite::serving() const {
    for (std::size_t i = 0; i < kSiteCount; ++i) {
        if (impl_->ports[i] <= 0 || !impl_->servers[i].is_running()) {
            return false;
        }
    }
    return true;
}

void DemoSite::put_page(const std::string& target, Bytes body) {
    const std::lock_guard lock(impl_->mutex);
    impl_->pages[target] = std::make_shared<const Bytes>(std::move(body));
}

void DemoSite::set_fault(const std::string& target, Fault fault) {
    const std::lock_guard lock(impl_->mutex);
    if (fault == Fault::none) {
        impl_->faults.erase(target);
    } else {
        impl_->faults[target] = fault;
    }
}

void DemoSite::set_delay(std::chrono::milliseconds delay) {
    const std::lock_guard lock(impl_->mutex);
    impl_->delay = std::max(delay, std::chrono::milliseconds(0));
}

std::vector<RecordedRequest> DemoSite::requests() const {
    const std::lock_guard lock(impl_->mutex);
    return impl_->recorded;
}

void DemoSite::clear_requests() {
    const std::lock_guard lock(impl_->mutex);
    impl_->recorded.clear();
}

}  // namespace vx
