#include "tests/demo/list_reader.h"

#include <regex>

namespace vx::test {
namespace {

// The program's markers and patterns; its dot matches anything but a line
// feed, hence [^\n] for it here.
const std::string kHeader =
    "<td width=\"80\" align=\"center\" bgcolor=\"#353535\">\xB2\xD9\xD7\xF7</td>\r";  // 操作
const std::string kPager = "<td height=\"50\"><div class=\"List_Page\">\r";
// 查看更多内容，请下载PC电脑客户端
const std::string kMoreContent =
    "<div class=\"fenLeiMore\">\xB2\xE9\xBF\xB4\xB8\xFC\xB6\xE0\xC4\xDA\xC8\xDD\xA3\xAC\xC7\xEB"
    "\xCF\xC2\xD4\xD8PC\xB5\xE7\xC4\xD4\xBF\xCD\xBB\xA7\xB6\xCB<a";
const char* const kNameLink =
    "<div class=\"DJnameLink\"><a href=\"([^\\n]*?)\" target=\"_blank\">([^\\n]*?)<i";
const char* const kSpan =
    "<a href=\"([^\\n]*?)\" target=\"_blank\"><span class='([^\\n]*?)'>([^\\n]*?)</span>";
const char* const kNameLinkSpan =
    "<div class=\"DJnameLink\"><a href=\"([^\\n]*?)\" target=\"_blank\"><span "
    "class='([^\\n]*?)'>([^\\n]*?)</span>";

std::string remove_all(std::string text, std::string_view what) {
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
        text.erase(at, what.size());
    }
    return text;
}

}  // namespace

int kind_of_address(std::string_view address) {
    for (int kind = 1; kind <= 4; ++kind) {
        if (address.find(kKeywords[kind - 1]) != std::string_view::npos) {
            return kind;
        }
    }
    return 5;
}

std::string list_region(std::string_view page, int kind) {
    const auto start = page.find(kHeader);
    if (start == std::string_view::npos) {
        return {};
    }
    const auto from = start + kHeader.size();
    const auto end = page.find(kind == 4 ? kMoreContent : kPager, from);
    if (end == std::string_view::npos) {
        return {};
    }
    return std::string(page.substr(from, end - from));
}

std::string clean_region(std::string region) {
    return remove_all(remove_all(std::move(region), "\\"), "ntttntttt");
}

std::vector<ListedTrack> match_tracks(std::string_view region, int kind) {
    const bool name_link = kind == 1 || kind == 3;
    const std::regex pattern(name_link   ? kNameLink
                             : kind == 2 ? kSpan
                                         : kNameLinkSpan,
                             std::regex::ECMAScript | std::regex::icase);
    const int name_group = name_link ? 2 : 3;
    std::vector<ListedTrack> found;
    const std::string text(region);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        found.push_back(ListedTrack{(*it)[1].str(), (*it)[name_group].str()});
    }
    return found;
}

std::vector<ListedTrack> read_list_page(std::string_view page, int kind) {
    return match_tracks(clean_region(list_region(page, kind)), kind);
}

}  // namespace vx::test
