#include "demo/list_page.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "demo/html_head.h"
#include "demo/page_texts.h"

namespace vx {
namespace {

using namespace demo_texts;

struct KindLayout {
    std::string_view path;
    std::string_view title;
    std::string_view charset;
};

constexpr std::array<KindLayout, 5> kKinds = {{
    {"/dujia/index.htm", "\xB6\xC0\xBC\xD2\xCE\xE8\xC7\xFA", "gb2312"},    // 独家舞曲
    {"/fengGe/list_1.htm", "\xB7\xE7\xB8\xF1\xB7\xD6\xC0\xE0", "gb2312"},  // 风格分类
    {"/dasai/index.htm", "\xCE\xE8\xC7\xFA\xB4\xF3\xC8\xFC", "gb2312"},    // 舞曲大赛
    {"/ZJlist/index.htm", "\xD7\xA8\xBC\xAD\xC1\xD0\xB1\xED", "gb2312"},   // 专辑列表
    {"/DJlist/index.htm", "\xCE\xE8\xC7\xFA\xC1\xD0\xB1\xED", "gbk"},      // 舞曲列表
}};

bool known_kind(int kind) {
    return kind >= kFirstListKind && kind <= kLastListKind;
}

const KindLayout& layout_of(int kind) {
    return kKinds[static_cast<std::size_t>(kind - 1)];
}

// The three shapes of the cell that names a track; which one a kind uses
// follows the pattern the program reads that kind with.
enum class NameCell { name_link, span, name_link_span };

NameCell name_cell_of(int kind) {
    switch (kind) {
        case 1:
        case 3:
            return NameCell::name_link;
        case 2:
            return NameCell::span;
        default:
            return NameCell::name_link_span;
    }
}

// Rows take turns between plain markup, markup as the site's script-built
// templates leave it (escaped quotes and escaped breaks), upper-case tags,
// and escaped quotes alone.
std::string name_cell(NameCell shape, std::size_t row, const DemoTrack& track) {
    const std::string link = track.link.str();
    const std::string name = track.name.str();
    const std::string breaks(kEscapedBreaks);
    switch (shape) {
        case NameCell::name_link:
            switch (row % 4) {
                case 0:
                    return "<div class=\"DJnameLink\"><a href=\"" + link + "\" target=\"_blank\">" +
                           name + "<i class=\"hot\"></i></a></div>";
                case 1:
                    return "<div class=\\\"DJnameLink\\\">" + breaks + "<a href=\\\"" + link +
                           "\\\" target=\\\"_blank\\\">" + name +
                           "<i class=\\\"hot\\\"></i></a></div>";
                case 2:
                    return "<DIV CLASS=\"DJnameLink\"><A HREF=\"" + link + "\" TARGET=\"_blank\">" +
                           name + "<I CLASS=\"new\"></I></A></DIV>";
                default:
                    return "<div class=\\\"DJnameLink\\\"><a href=\\\"" + link +
                           "\\\" target=\\\"_blank\\\">" + name +
                           "<img src=\\\"/images/hot.gif\\\" /></a></div>";
            }
        case NameCell::span:
            switch (row % 4) {
                case 0:
                    return "<a href=\"" + link + "\" target=\"_blank\"><span class='songName'>" +
                           name + "</span></a>";
                case 1:
                    return "<a href=\\\"" + link + "\\\" target=\\\"_blank\\\">" + breaks +
                           "<span class=\\'songName\\'>" + name + "</span></a>";
                case 2:
                    return "<A HREF=\"" + link +
                           "\" TARGET=\"_blank\"><SPAN CLASS='songName hot'>" + name +
                           "</SPAN></A>";
                default:
                    return "<a href=\\\"" + link +
                           "\\\" target=\\\"_blank\\\"><span class='songName'>" + name +
                           "</span></a>";
            }
        case NameCell::name_link_span:
            switch (row % 4) {
                case 0:
                    return "<div class=\"DJnameLink\"><a href=\"" + link +
                           "\" target=\"_blank\"><span class='c_name'>" + name +
                           "</span></a></div>";
                case 1:
                    return "<div class=\\\"DJnameLink\\\">" + breaks + "<a href=\\\"" + link +
                           "\\\" target=\\\"_blank\\\"><span class=\\'c_name\\'>" + name +
                           "</span></a></div>";
                case 2:
                    return "<DIV CLASS=\"DJnameLink\"><A HREF=\"" + link +
                           "\" TARGET=\"_blank\"><SPAN CLASS='c_name red'>" + name +
                           "</SPAN></A></DIV>";
                default:
                    return "<div class=\\\"DJnameLink\\\"><a href=\\\"" + link +
                           "\\\" target=\\\"_blank\\\"><span class='c_name'>" + name +
                           "</span></a></div>";
            }
    }
    return {};
}

std::string site_navigation() {
    std::string out = "<div class=\"nav\">";
    out += "<a href=\"/\">";
    out += kSiteName;
    out += "</a>";
    for (const KindLayout& kind : kKinds) {
        out += " | <a href=\"";
        out += kind.path;
        out += "\">";
        out += kind.title;
        out += "</a>";
    }
    out += "</div>\r\n";
    return out;
}

std::string table_start() {
    std::string out =
        "<table width=\"960\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\" "
        "class=\"DJlist\">\r\n"
        "<tr class=\"list_head\">\r\n"
        "\t<td width=\"40\" align=\"center\">&nbsp;</td>\r\n"
        "\t<td align=\"left\">";
    out += kTrackNameCaption;
    out += "</td>\r\n\t<td width=\"80\" align=\"center\">";
    out += kPopularityCaption;
    out += "</td>\r\n\t";
    out += kHeaderMarker;
    out += "\n</tr>\r\n";
    return out;
}

std::string track_row(NameCell shape, std::size_t row, const DemoTrack& track) {
    const std::string tr_open =
        row % 4 == 1 ? "<tr class=\\\"list_tr\\\">" + std::string(kEscapedBreaks) + "\r\n"
                     : std::string("<tr class=\"list_tr\">\r\n");
    std::string out = tr_open;
    out += "\t<td width=\"40\" align=\"center\">" + std::to_string(row + 1) + "</td>\r\n";
    out += "\t<td>" + name_cell(shape, row, track) + "</td>\r\n";
    out += "\t<td width=\"80\" align=\"center\">" + std::to_string(1000 + (row * 7919) % 90000) +
           "</td>\r\n";
    out += "\t<td align=\"center\"><a href=\"" + track.link.str() + "\" class=\"listen\">";
    out += kListenCaption;
    out += "</a> <a href=\"/down" + track.link.str() + "\" class=\"down\">";
    out += kDownloadCaption;
    out += "</a></td>\r\n</tr>\r\n";
    return out;
}

std::string pager() {
    std::string out = "<tr>\r\n\t";
    out += kPagerMarker;
    out += "\n\t\t<a href=\"index.htm\">";
    out += kFirstPage;
    out += "</a> <a href=\"index.htm\">";
    out += kPreviousPage;
    out +=
        "</a> <b>1</b> <a href=\"list_2.htm\">2</a> <a href=\"list_3.htm\">3</a> "
        "<a href=\"list_2.htm\">";
    out += kNextPage;
    out += "</a> <a href=\"list_9.htm\">";
    out += kLastPage;
    out += "</a>\r\n\t</div></td>\r\n</tr>\r\n</table>\r\n";
    return out;
}

std::string more_content_note() {
    std::string out = "</table>\r\n";
    out += kMoreContentMarker;
    out += " href=\"/soft/index.htm\">";
    out += kSoftwareDownload;
    out += "</a></div>\r\n";
    return out;
}

}  // namespace

Text list_page_path(int kind) {
    return known_kind(kind) ? Text(layout_of(kind).path) : Text();
}

Bytes list_page(int kind, const std::vector<DemoTrack>& tracks) {
    if (!known_kind(kind)) {
        return {};
    }
    const KindLayout& layout = layout_of(kind);
    std::string title(layout.title);
    title += " - ";
    title += kSiteName;

    Bytes page = html_head(title, layout.charset);
    page += "<link rel=\"stylesheet\" type=\"text/css\" href=\"/css/list.css\" />\r\n";
    page += "</head>\r\n<body>\r\n";
    page += site_navigation();
    page += "<h1>";
    page += layout.title;
    page += "</h1>\r\n";
    page += table_start();
    const NameCell shape = name_cell_of(kind);
    for (std::size_t row = 0; row < tracks.size(); ++row) {
        page += track_row(shape, row, tracks[row]);
    }
    page += kind == 4 ? more_content_note() : pager();
    page += "<div class=\"foot\">";
    page += kSiteName;
    page += " &copy; 2026</div>\r\n</body>\r\n</html>\r\n";
    return page;
}

Bytes catalogue_home_page() {
    Bytes page = html_head(kSiteName);
    page += "</head>\r\n<body>\r\n";
    page += site_navigation();
    page += "</body>\r\n</html>\r\n";
    return page;
}

}  // namespace vx
