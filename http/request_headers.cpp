#include "http/request_headers.h"

#include <array>

#include "http/header_text.h"
#include "text/text_ops.h"

namespace vx {
namespace {

struct DefaultHeader {
    std::string_view key;
    std::string_view line;
    bool post_only;
};

// Keys are matched exactly as written (ignoring case): all but Content-Type
// end with a space, so "Accept:text/html" does not count as an Accept line.
constexpr std::array<DefaultHeader, 6> kDefaultHeaders{{
    {"User-Agent: ",
     "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n",
     false},
    {"Accept: ", "Accept: text/html, application/xhtml+xml, */*\r\n", false},
    {"Accept-Encoding: ", "Accept-Encoding: gbk, GB2312\r\n", false},
    {"Accept-Language: ", "Accept-Language: zh-cn\r\n", false},
    {"Content-Type:", "Content-Type: application/x-www-form-urlencoded\r\n", true},
    {"Cache-Control: ", "Cache-Control: no-cache\r\n", false},
}};

constexpr int kPostMethod = 1;

bool contains_nocase(std::string_view text, std::string_view key) {
    return find_first(text, key, 1, true) != kNotFound;
}

// Whether one of `lines` names the header `name` (ignoring case).
bool has_header(const std::vector<std::string>& lines, std::string_view name) {
    for (const auto& line : lines) {
        if (line.size() > name.size() && (line[name.size()] == ':' || line[name.size()] == ';') &&
            find_first(line, name, 1, true) == 1) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string_view method_verb(int method) {
    static constexpr std::array<std::string_view, 8> kVerbs{
        "GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};
    return method >= 0 && method < static_cast<int>(kVerbs.size()) ? kVerbs[method] : "GET";
}

Text build_request_headers(std::string_view extra_headers, std::string_view cookies,
                           const RequestHeaderOptions& options) {
    std::string text;
    if (!extra_headers.empty()) {
        text.append(extra_headers).append("\r\n");
    }
    if (options.add_default_headers) {
        for (const auto& header : kDefaultHeaders) {
            if (header.post_only && options.method != kPostMethod) {
                continue;
            }
            if (!contains_nocase(text, header.key)) {
                text.append(header.line);
            }
        }
    }
    Text headers(std::move(text));
    if (options.normalize_headers) {
        headers = normalize_header_names(headers);
    }
    if (find_first(headers, "Connection") != kNotFound &&
        header_value(headers, "Connection") == Text("keep-alive")) {
        headers = replace_all(headers, "Connection: keep-alive\r\n", "");
    }
    if (!contains_nocase(headers, "Cookie:") && !cookies.empty()) {
        if (contains_nocase(cookies, "Cookie:")) {
            headers += "\r\n";
        } else {
            headers += "\r\nCookie: ";
        }
        headers += cookies;
        headers += "\r\n";
    }
    return headers;
}

std::optional<std::vector<std::string>> transport_header_lines(std::string_view header_text) {
    std::vector<std::string> lines;
    while (!header_text.empty()) {
        const auto end = header_text.find('\n');
        std::string_view line = header_text.substr(0, end);
        header_text =
            end == std::string_view::npos ? std::string_view{} : header_text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;  // the blank pieces between appended parts carry nothing
        }
        const auto colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0 ||
            line.find('\r') != std::string_view::npos) {
            return std::nullopt;
        }
        std::string entry(line);
        // A name with nothing after its colon would tell the transport to drop
        // its own header of that name; written with a semicolon it is sent empty.
        if (line.find_first_not_of(' ', colon + 1) == std::string_view::npos) {
            entry = std::string(line.substr(0, colon)) + ";";
        }
        lines.push_back(std::move(entry));
    }
    // The transport adds these on its own; only what the header text holds may go out.
    for (const std::string_view name : {"Accept", "Expect", "Content-Type", "Proxy-Connection"}) {
        if (!has_header(lines, name)) {
            lines.push_back(std::string(name) + ":");
        }
    }
    return lines;
}

}  // namespace vx
