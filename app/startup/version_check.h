#pragma once

// The version check at start-up: the version that the author's update-notice
// page publishes against the version label's caption.

#include <functional>
#include <optional>
#include <string_view>

#include "app/site_addresses.h"
#include "app/startup/created_event.h"
#include "app/track_window.h"
#include "text/text.h"

namespace vx {

// <strong><span style="color:#E53333;">软件版本号：
inline constexpr std::string_view kVersionStartMarker =
    "<strong><span style=\"color:#E53333;\">\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xBA";
// Ends with one space.
inline constexpr std::string_view kVersionEndMarker = "</span></strong> ";

// 版本已经更新！正在跳转最新地址！
inline constexpr const char* kUpdateMessage =
    "\xB0\xE6\xB1\xBE\xD2\xD1\xBE\xAD\xB8\xFC\xD0\xC2\xA3\xA1"
    "\xD5\xFD\xD4\xDA\xCC\xF8\xD7\xAA\xD7\xEE\xD0\xC2\xB5\xD8\xD6\xB7\xA3\xA1";
// 信息：
inline constexpr const char* kUpdateCaption = "\xD0\xC5\xCF\xA2\xA3\xBA";

// The text between the first start marker and the first end marker after it;
// nullopt when either is missing (an empty text between two markers is a
// published version, the empty one).
std::optional<Text> published_version(std::string_view page);

// Whether a status text (such as "200 OK") reports a 2xx response. Failure
// messages of the HTTP client ("711 ...") do not.
bool is_success_status(std::string_view status_text);

// Fetches the update-notice page and compares. When the page publishes a
// version other than the label's caption: the message, then the author's home
// page, then exit code 0. A page that cannot be fetched or read tells nothing,
// and start-up goes on (nullopt).
std::optional<int> check_for_update(const SiteAddresses& sites, TrackWindow& window,
                                    const StartupSeam& seam,
                                    const std::function<void()>& process_events);

}  // namespace vx
