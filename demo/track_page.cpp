#include "demo/track_page.h"

#include <string>

#include "demo/html_head.h"
#include "demo/page_texts.h"

namespace vx {

using namespace demo_texts;

Bytes track_page(const DemoTrack& track, std::string_view media_base) {
    std::string title = track.name.str();
    title += " - ";
    title += kSiteName;

    Bytes page = html_head(title);
    page += "<script type=\"text/javascript\" src=\"/js/player.js\"></script>\r\n";
    page += "</head>\r\n<body>\r\n<div class=\"playTitle\">";
    page += kNowPlaying;
    page += "\xA3\xBA";  // ：
    page += track.name.str();
    page += "</div>\r\n<div id=\"player\">";
    page += kLoading;
    page += "</div>\r\n<script type=\"text/javascript\">\r\n";
    page += "var musicUrl = '";
    page += media_base;
    page += "';\r\nvar player = new DJPlayer({\r\n\tid: 'player',\r\n\ttitle: '";
    page += track.name.str();
    page += "',\r\n\t";
    page += kMediaLineStart;
    page += track.media_id.str();
    page += kMediaLineEnd;
    page += "\tautoplay: true\r\n});\r\n</script>\r\n<a href=\"/DJlist/index.htm\">";
    page += kBackToList;
    page += "</a>\r\n</body>\r\n</html>\r\n";
    return page;
}

}  // namespace vx
