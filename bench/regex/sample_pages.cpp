#include "bench/regex/sample_pages.h"

#include <array>
#include <string_view>

namespace vx::bench {
namespace {

// Track-name words in code page 936: 舞曲, 慢摇, 串烧, 中文, 劲爆, 电音.
constexpr std::array<std::string_view, 6> kWordsGbk = {"\xCE\xE8\xC7\xFA", "\xC2\xFD\xD2\xA1",
                                                       "\xB4\xAE\xC9\xD5", "\xD6\xD0\xCE\xC4",
                                                       "\xBE\xA2\xB1\xAC", "\xB5\xE7\xD2\xF4"};
// The same words in UTF-8.
constexpr std::array<std::string_view, 6> kWordsUtf8 = {
    "\xE8\x88\x9E\xE6\x9B\xB2", "\xE6\x85\xA2\xE6\x91\x87", "\xE4\xB8\xB2\xE7\x83\xA7",
    "\xE4\xB8\xAD\xE6\x96\x87", "\xE5\x8A\xB2\xE7\x88\x86", "\xE7\x94\xB5\xE9\x9F\xB3"};

}  // namespace

std::string catalogue_region(std::size_t rows) {
    std::string out = "\r\n</tr>\r\n";
    for (std::size_t i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i + 1);
        const std::string id = std::to_string(100000 + i * 7);
        out += "<tr class=\"List_tr\">\r";
        out += "<td width=\"40\" align=\"center\">" + n + "</td>\r";
        out += "<td><div class=\"DJnameLink\"><a href=\"/play/" + id +
               ".htm\" target=\"_blank\"><span class='c" + std::to_string(i % 3 + 1) + "'>";
        out += "DJ ";
        out += kWordsGbk[i % 6];
        out += kWordsGbk[(i / 6) % 6];
        out += " Remix " + n + " ";
        out += kWordsGbk[(i + 3) % 6];
        out += "</span></a><i class=\"ico_new\"></i></div></td>\r";
        out += "<td align=\"center\">";
        out += kWordsGbk[(i + 1) % 6];
        out += "</td>\r<td align=\"center\">2026-12-" + std::to_string(i % 28 + 1) + "</td>\r";
        out += "<td align=\"center\"><a href=\"/down/" + id + ".htm\">";
        out += kWordsGbk[(i + 2) % 6];
        out += "</a></td>\r</tr>\r";
    }
    return out;
}

std::string utf8_page(std::size_t bytes) {
    std::string out =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>DJ</title></head><body>\n";
    for (std::size_t i = 0; out.size() < bytes; ++i) {
        out += "<li><a href=\"/play/" + std::to_string(i) + ".htm\" title=\"";
        for (std::size_t k = 0; k < 6; ++k) {
            out += kWordsUtf8[(i + k) % 6];
        }
        out += "\">";
        for (std::size_t k = 0; k < 4; ++k) {
            out += kWordsUtf8[(i * 5 + k) % 6];
        }
        out += " Remix</a><span class=\"date\">2026-12-11</span></li>\n";
    }
    out += "</body></html>\n";
    return out;
}

}  // namespace vx::bench
