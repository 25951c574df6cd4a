#pragma once

// Splitting an address into what a request needs, with the rules of the
// Windows URL parser the program was written against: http and https only,
// the scheme's default port, and the object name "/" when the path is empty.

#include <optional>
#include <string>
#include <string_view>

namespace vx {

struct UrlParts {
    bool secure = false;      // https
    std::string host;         // as written, brackets kept for an IPv6 literal
    int port = 0;             // 80 or 443 when the address names none
    std::string object_name;  // path, query and fragment exactly as given, or "/"

    // "http://host:port" (the port always written), for the transport.
    std::string origin() const;
    // The absolute form a plain proxy is asked for: the origin with the
    // default port left out, then the object name.
    std::string absolute_form() const;
};

// nullopt for an address that cannot be parsed: another scheme, no host, a
// bad port, or bytes that could break the request line (controls, spaces).
std::optional<UrlParts> crack_url(std::string_view url);

// The address a "Location" value points to, seen from `base`: absolute
// (http or https), scheme-relative, host-relative or relative to the base's
// directory. nullopt when it names another scheme or cannot be parsed.
std::optional<UrlParts> resolve_location(const UrlParts& base, std::string_view location);

}  // namespace vx
