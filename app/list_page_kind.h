#pragma once

// What the program knows of the catalogue site's list pages: the markers that
// frame the track table, the five kinds of page and how each is read.

#include <string_view>

#include "text/text.h"

namespace vx {

// The track table starts after this line; note the carriage return and no line feed.
// <td width="80" align="center" bgcolor="#353535">操作</td>\r
inline constexpr std::string_view kHeaderMarker =
    "<td width=\"80\" align=\"center\" bgcolor=\"#353535\">\xB2\xD9\xD7\xF7</td>\r";
// <td height="50"><div class="List_Page">\r
inline constexpr std::string_view kPagerMarker = "<td height=\"50\"><div class=\"List_Page\">\r";
// <div class="fenLeiMore">查看更多内容，请下载PC电脑客户端<a
inline constexpr std::string_view kMoreContentMarker =
    "<div class=\"fenLeiMore\">"
    "\xB2\xE9\xBF\xB4\xB8\xFC\xB6\xE0\xC4\xDA\xC8\xDD\xA3\xAC\xC7\xEB\xCF\xC2\xD4\xD8"
    "PC\xB5\xE7\xC4\xD4\xBF\xCD\xBB\xA7\xB6\xCB<a";

// Capture group 1 is always the track page's link.
inline constexpr std::string_view kNameLinkPattern =
    "<div class=\"DJnameLink\"><a href=\"(.*?)\" target=\"_blank\">(.*?)<i";
inline constexpr std::string_view kSpanPattern =
    "<a href=\"(.*?)\" target=\"_blank\"><span class='(.*?)'>(.*?)</span>";
inline constexpr std::string_view kNameLinkSpanPattern =
    "<div class=\"DJnameLink\"><a href=\"(.*?)\" target=\"_blank\"><span "
    "class='(.*?)'>(.*?)</span>";

struct ListPageKind {
    int number;                // 1 to 5
    std::string_view keyword;  // empty for the last kind, which takes every other address
    std::string_view end_marker;
    std::string_view pattern;
    int name_group;
};

// Tested in this order; the first kind whose keyword occurs in the address wins.
inline constexpr ListPageKind kListPageKinds[] = {
    {1, "dujia", kPagerMarker, kNameLinkPattern, 2},
    {2, "fengGe", kPagerMarker, kSpanPattern, 3},
    {3, "dasai", kPagerMarker, kNameLinkPattern, 2},
    {4, "ZJlist", kMoreContentMarker, kNameLinkSpanPattern, 3},
    {5, "", kPagerMarker, kNameLinkSpanPattern, 3},
};

// The kind of the list page at `address`: keywords match with exact letter
// case anywhere in the address, host and query included.
const ListPageKind& choose_list_page_kind(std::string_view address);

// The track table cut out of `page` and cleaned of the site's escaping noise:
// every backslash, then every "ntttntttt" left after that, removed.
Text track_table_region(std::string_view page, const ListPageKind& kind);

}  // namespace vx
