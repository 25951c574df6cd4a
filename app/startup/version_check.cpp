#include "app/startup/version_check.h"

#include "http/web_access.h"
#include "text/text_between.h"
#include "text/text_ops.h"

namespace vx {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<Text> published_version(std::string_view page) {
    const Position start = find_first(page, kVersionStartMarker);
    if (start == kNotFound) {
        return std::nullopt;
    }
    const auto after_start = start + static_cast<Position>(kVersionStartMarker.size());
    if (find_first(page, kVersionEndMarker, after_start) == kNotFound) {
        return std::nullopt;
    }
    return text_between(page, kVersionStartMarker, kVersionEndMarker);
}

bool is_success_status(std::string_view status_text) {
    return status_text.size() >= 3 && status_text[0] == '2' && is_digit(status_text[1]) &&
           is_digit(status_text[2]) && (status_text.size() == 3 || status_text[3] == ' ');
}

std::optional<int> check_for_update(const SiteAddresses& sites, TrackWindow& window,
                                    const StartupSeam& seam,
                                    const std::function<void()>& process_events) {
    WebAccessParams params;
    params.process_events = process_events;
    const Text page = web_access(update_notice_address(sites), params);
    // A page we could not read says nothing about a new version.
    if (!is_success_status(params.status_text)) {
        return std::nullopt;
    }
    const auto published = published_version(page);
    if (!published || *published == window.version_text()) {
        return std::nullopt;
    }
    if (seam.show_message) {
        seam.show_message(kUpdateMessage, kUpdateCaption);
    }
    if (seam.open_address) {
        seam.open_address(author_home_address(sites));
    }
    return 0;
}

}  // namespace vx
