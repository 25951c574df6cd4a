#include "demo/author_pages.h"

#include <string>

#include "demo/html_head.h"
#include "demo/page_texts.h"

namespace vx {

using namespace demo_texts;

Bytes update_notice_page(std::string_view published_version) {
    Bytes page = html_head(kChangeLog);
    page += "</head>\r\n<body>\r\n<div class=\"post\" id=\"post-5\">\r\n<h2>";
    page += kChangeLog;
    page += "</h2>\r\n<p>";
    page += kVersionStart;
    page += published_version;
    page += kVersionEnd;
    page += "2026-12-01</p>\r\n<p>";
    page += kFixedIssues;
    page += "</p>\r\n<p><a href=\"/\">";
    page += kAuthorHome;
    page += "</a></p>\r\n</div>\r\n</body>\r\n</html>\r\n";
    return page;
}

Bytes author_home_page() {
    Bytes page = html_head(kAuthorHome);
    page += "</head>\r\n<body>\r\n<h1>";
    page += kAuthorHome;
    page += "</h1>\r\n<ul>\r\n<li><a href=\"/?post=5\">";
    page += kChangeLog;
    page += "</a></li>\r\n</ul>\r\n</body>\r\n</html>\r\n";
    return page;
}

}  // namespace vx
