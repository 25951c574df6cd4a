#pragma once

// The start of every page the demo serves: CR LF line ends and the charset
// meta tag in the first lines, which keeps the client from re-decoding the
// code page 936 bytes.

#include <string>
#include <string_view>

namespace vx {

inline std::string html_head(std::string_view title, std::string_view charset = "gb2312") {
    std::string out = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n";
    out += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=";
    out += charset;
    out += "\" />\r\n<title>";
    out += title;
    out += "</title>\r\n";
    return out;
}

}  // namespace vx
