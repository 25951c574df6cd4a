#include "http/response_parts.h"

#include <charconv>

#include "http/cookies.h"
#include "http/header_text.h"
#include "text/codepage.h"
#include "text/regex_object.h"
#include "text/text_between.h"
#include "text/text_ops.h"

namespace vx {
namespace {

// ("\\w" in the pattern is the regular-expression class \w.)
constexpr std::string_view kMetaCharsetPattern = "<meta.+?charset=[^\\w]?([-\\w]+)";
constexpr std::size_t kCharsetWindow = 1024;

void run(const std::function<void()>& process_events) {
    if (process_events) {
        process_events();
    }
}

// The byte position of `key` in `text` at or after `from`, ASCII letters
// compared without case, or npos. Bytewise, so that it never misses what the
// pattern engine could see.
std::size_t find_ascii_nocase(std::string_view text, std::string_view key, std::size_t from) {
    const auto fold = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (std::size_t at = from; at + key.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < key.size() && fold(text[at + i]) == key[i]) {
            ++i;
        }
        if (i == key.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace

bool may_declare_charset(std::string_view window) {
    const std::size_t meta = find_ascii_nocase(window, "<meta", 0);
    return meta != std::string_view::npos &&
           find_ascii_nocase(window, "charset=", meta) != std::string_view::npos;
}

namespace {

int parse_status_code(std::string_view status_line) {
    // "HTTP/x.y NNN ..."
    const auto space = status_line.find(' ');
    if (!status_line.starts_with("HTTP/") || space == std::string_view::npos) {
        return 0;
    }
    const std::string_view digits = status_line.substr(space + 1, 3);
    int code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    return error == std::errc{} && end == digits.data() + digits.size() ? code : 0;
}

}  // namespace

void HeaderBlockCollector::add_line(std::string_view line) {
    if (complete_) {
        return;
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    if (line.empty()) {
        if (in_block_) {
            in_block_ = false;
            complete_ = status_code_ < 100 || status_code_ >= 200;
        }
        return;
    }
    if (!in_block_) {
        block_.clear();
        status_code_ = parse_status_code(line);
        in_block_ = true;
    }
    block_.append(line).append("\r\n");
}

std::string HeaderBlockCollector::location() const {
    std::string value;
    std::string_view rest = block_;
    while (!rest.empty()) {
        const auto end = rest.find("\r\n");
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 2);
        if (line.size() >= 9 && find_first(line, "Location:", 1, true) == 1) {
            std::string_view v = line.substr(9);
            while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) {
                v.remove_prefix(1);
            }
            while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) {
                v.remove_suffix(1);
            }
            value = std::string(v);
        }
    }
    return value;
}

bool BodySink::append(std::string_view chunk) {
    const std::size_t room = limit_ - bytes_.size();
    if (chunk.size() > room) {
        bytes_.append(chunk.substr(0, room));
        overflowed_ = true;
        return false;
    }
    bytes_.append(chunk);
    return true;
}

Text status_from_header_block(std::string_view block) {
    if (block.size() < 10) {
        return {};
    }
    const auto end = block.find("\r\n", 9);
    return end == std::string_view::npos ? Text{} : Text(block.substr(9, end - 9));
}

Text decode_body(const Bytes& body, RegexObject& regex,
                 const std::function<void()>& process_events) {
    Text result = bytes_to_text(body);
    const Text window = left(result, kCharsetWindow);
    const bool may_match = may_declare_charset(window);
    // Without a possible match the engine would have run and found nothing.
    if (!may_match || regex.execute(kMetaCharsetPattern, window)) {
        const Text charset = may_match ? regex.submatch_text(1, 1) : Text{};
        // Only the exact lower-case names of the program's own code page are
        // taken as they are; "GBK" and "GB2312" go through the converter.
        if (!charset.empty() && charset != Text("gbk") && charset != Text("gb2312")) {
            if (auto decoded = charset_to_cp936(body, charset)) {
                result = Text(std::move(*decoded));
            }
        }
        run(process_events);
    }
    run(process_events);
    return result;
}

Text process_response(std::string_view header_block, Bytes body, bool merge_returned_cookies,
                      ResponseOutputs& out, RegexObject& regex,
                      const std::function<void()>& process_events) {
    out.response_headers = Text(header_block);
    out.status_text = status_from_header_block(out.response_headers);
    for (const Text& line : split(out.response_headers, "\r\n")) {
        if (text_before_first(line, ": ") == Text("Set-Cookie")) {
            const Text value = find_first(line, ";") != kNotFound
                                   ? text_between(line, "Set-Cookie:", ";")
                                   : replace_all(line, "Set-Cookie:", "", true);
            out.cookies_returned += trim_spaces(value);
            out.cookies_returned += "; ";
        }
        if (line.size() >= 10 && find_first(left(line, 10), "Location: ", 1, true) == 1) {
            out.redirect_location = middle(line, 11, static_cast<Position>(line.size()));
        }
        run(process_events);
    }
    if (out.cookies_returned.view().ends_with("; ")) {
        out.cookies_returned =
            left(out.cookies_returned, static_cast<Position>(out.cookies_returned.size()) - 2);
    }
    if (merge_returned_cookies && !out.cookies.empty()) {
        Text returned = out.cookies_returned;
        out.cookies_returned = merge_cookies(out.cookies, returned);
    }
    out.response_bytes = std::move(body);
    return decode_body(out.response_bytes, regex, process_events);
}

}  // namespace vx
