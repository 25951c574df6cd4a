#include "http/url_parts.h"

#include <algorithm>
#include <cctype>

namespace vx {
namespace {

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// Control bytes would end or split the request line.
bool has_control_bytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

// A space would split the request line; it travels escaped, as the Windows
// stack sends it. Nothing else is encoded.
std::string escape_spaces(std::string_view object) {
    std::string escaped;
    escaped.reserve(object.size());
    for (const char c : object) {
        if (c == ' ') {
            escaped += "%20";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool valid_host(std::string_view host) {
    if (host.empty()) {
        return false;
    }
    if (host.front() == '[') {
        return host.size() > 2 && host.back() == ']' &&
               std::all_of(host.begin() + 1, host.end() - 1, [](char c) {
                   return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
               });
    }
    return std::all_of(host.begin(), host.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return std::isalnum(b) || b >= 0x80 || c == '-' || c == '.' || c == '_' || c == '~' ||
               c == '%';
    });
}

int default_port(bool secure) {
    return secure ? 443 : 80;
}

}  // namespace

std::string UrlParts::origin() const {
    return (secure ? "https://" : "http://") + host + ":" + std::to_string(port);
}

std::string UrlParts::absolute_form() const {
    std::string form = (secure ? "https://" : "http://") + host;
    if (port != default_port(secure)) {
        form += ":" + std::to_string(port);
    }
    return form + object_name;
}

std::optional<UrlParts> crack_url(std::string_view url) {
    UrlParts parts;
    if (starts_with_nocase(url, "http://")) {
        url.remove_prefix(7);
    } else if (starts_with_nocase(url, "https://")) {
        parts.secure = true;
        url.remove_prefix(8);
    } else {
        return std::nullopt;
    }
    if (has_control_bytes(url)) {
        return std::nullopt;
    }
    const auto authority_end = url.find_first_of("/?#");
    std::string_view authority = url.substr(0, authority_end);
    const std::string_view rest =
        authority_end == std::string_view::npos ? std::string_view{} : url.substr(authority_end);
    // User name and password are not asked for; they are skipped.
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    std::string_view host = authority;
    std::string_view port_text;
    const auto bracket = authority.rfind(']');
    const auto colon = authority.rfind(':');
    if (colon != std::string_view::npos && (bracket == std::string_view::npos || colon > bracket)) {
        host = authority.substr(0, colon);
        port_text = authority.substr(colon + 1);
    }
    if (!valid_host(host)) {
        return std::nullopt;
    }
    parts.host = std::string(host);
    parts.port = default_port(parts.secure);
    if (!port_text.empty()) {
        if (port_text.size() > 5 || !std::all_of(port_text.begin(), port_text.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            })) {
            return std::nullopt;
        }
        parts.port = std::stoi(std::string(port_text));
        if (parts.port < 1 || parts.port > 65535) {
            return std::nullopt;
        }
    }
    // An empty path drops any query or fragment: the object is "/".
    parts.object_name = !rest.empty() && rest.front() == '/' ? escape_spaces(rest) : "/";
    return parts;
}

std::optional<UrlParts> resolve_location(const UrlParts& base, std::string_view location) {
    while (!location.empty() && (location.front() == ' ' || location.front() == '\t')) {
        location.remove_prefix(1);
    }
    while (!location.empty() && (location.back() == ' ' || location.back() == '\t')) {
        location.remove_suffix(1);
    }
    if (location.empty()) {
        return std::nullopt;
    }
    if (starts_with_nocase(location, "http://") || starts_with_nocase(location, "https://")) {
        return crack_url(location);
    }
    const std::string scheme = base.secure ? "https:" : "http:";
    if (location.starts_with("//")) {
        return crack_url(scheme + std::string(location));
    }
    const auto colon = location.find(':');
    const auto first_separator = location.find_first_of("/?#");
    if (colon != std::string_view::npos &&
        (first_separator == std::string_view::npos || colon < first_separator)) {
        return std::nullopt;  // another scheme
    }
    std::string object;
    if (location.front() == '/') {
        object = std::string(location);
    } else {
        const std::string_view base_path =
            std::string_view(base.object_name).substr(0, base.object_name.find_first_of("?#"));
        object = location.front() == '?' || location.front() == '#'
                     ? std::string(base_path) + std::string(location)
                     : std::string(base_path.substr(0, base_path.rfind('/') + 1)) +
                           std::string(location);
    }
    if (has_control_bytes(object)) {
        return std::nullopt;
    }
    UrlParts parts = base;
    parts.object_name = escape_spaces(object.front() == '/' ? object : "/" + object);
    return parts;
}

}  // namespace vx
