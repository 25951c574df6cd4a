#include "app/startup/version_check.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "demo/demo_site.h"
#include "tests/skin/startup_fakes.h"

namespace vx {
namespace {

const std::string kStart(kVersionStartMarker);
const std::string kEnd(kVersionEndMarker);

std::string notice_page(const std::string& version) {
    // "软件更新" in the title, as the author's page is Chinese throughout.
    return "<html><head><title>\xC8\xED\xBC\xFE\xB8\xFC\xD0\xC2</title></head><body><p>" + kStart +
           version + kEnd + "</p></body></html>";
}

TEST(PublishedVersion, CutBetweenTheMarkers) {
    struct Case {
        const char* what;
        std::string page;
        std::optional<Text> expected;
    };
    const Case cases[] = {
        {"plain", notice_page("1.0.1"), Text("1.0.1")},
        {"a space before the end marker stays", notice_page("1.0.1 "), Text("1.0.1 ")},
        {"nothing between the markers", notice_page(""), Text("")},
        {"first of two", notice_page("2.0") + notice_page("3.0"), Text("2.0")},
        {"no start marker", "<p>1.0.1" + kEnd + "</p>", std::nullopt},
        {"no end marker", "<p>" + kStart + "1.0.1</p>", std::nullopt},
        {"end marker without its space", "<p>" + kStart + "1.0.1</span></strong></p>",
         std::nullopt},
        {"end marker only before the start", kEnd + kStart + "1.0.1", std::nullopt},
        {"empty page", "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(published_version(c.page), c.expected) << c.what;
    }
}

TEST(SuccessStatus, OnlyTwoHundreds) {
    struct Case {
        const char* status;
        bool success;
    };
    const Case cases[] = {
        {"200 OK", true},
        {"204 No Content", true},
        {"200", true},
        {"404 Not Found", false},
        {"500 Internal Server Error", false},
        {"301 Moved Permanently", false},
        // "711 发送请求失败!": a failure message of the HTTP client.
        {"711 \xB7\xA2\xCB\xCD\xC7\xEB\xC7\xF3\xCA\xA7\xB0\xDC!", false},
        {"", false},
        {"2000 OK", false},
        {"20 OK", false},
        {"2x0 OK", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_success_status(c.status), c.success) << c.status;
    }
}

// The author's site on loopback: "/?post=5" answers with the given status and page.
class AuthorSite {
  public:
    AuthorSite(int status, std::string page) : status_(status), page_(std::move(page)) {
        server_.Get("/", [this](const httplib::Request& request, httplib::Response& response) {
            {
                const std::lock_guard lock(mutex_);
                targets_.push_back(request.target);
            }
            response.status = status_;
            response.set_content(page_, "text/html");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // Stopping a server that has not begun to listen would leave it listening.
        while (port_ > 0 && !server_.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ~AuthorSite() {
        server_.stop();
        thread_.join();
    }

    Text base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::vector<std::string> targets() const {
        const std::lock_guard lock(mutex_);
        return targets_;
    }

  private:
    const int status_;
    const std::string page_;
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> targets_;
};

TEST(CheckForUpdate, AgainstTheAuthorsPage) {
    const std::string update_message =
        std::string("message ") + kUpdateCaption + "|" + kUpdateMessage;
    struct Case {
        const char* what;
        int status;
        std::string page;
        Text caption;
        bool ends;  // the program ends with exit code 0 after message and home page
    };
    const Case cases[] = {
        {"same version", 200, notice_page("1.0.1"), "1.0.1", false},
        {"the label's caption is what counts", 200, notice_page("2.0"), "2.0", false},
        {"newer version", 200, notice_page("1.0.2"), "1.0.1", true},
        {"space before the end marker", 200, notice_page("1.0.1 "), "1.0.1", true},
        {"empty version between markers", 200, notice_page(""), "1.0.1", true},
        {"page without markers", 200, "<html><body>maintenance</body></html>", "1.0.1", false},
        {"not found, whatever the body says", 404, notice_page("9.9"), "1.0.1", false},
        {"server error", 500, notice_page("9.9"), "1.0.1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AuthorSite site(c.status, c.page);
        SiteAddresses sites;
        sites.author_base = site.base();
        testing::LabelOnlyWindow window(c.caption);
        testing::RecordingSeam seam;

        const auto exit_code = check_for_update(sites, window, seam.seam(), {});

        EXPECT_EQ(site.targets(), std::vector<std::string>{"/?post=5"});
        if (c.ends) {
            EXPECT_EQ(exit_code, 0);
            EXPECT_EQ(seam.events, (std::vector<std::string>{update_message,
                                                             "open " + site.base().str() + "/"}));
        } else {
            EXPECT_EQ(exit_code, std::nullopt);
            EXPECT_TRUE(seam.events.empty());
        }
    }
}

TEST(CheckForUpdate, NoServerTellsNothing) {
    std::string base;
    {
        AuthorSite gone(200, notice_page("1.0.2"));
        base = gone.base().str();
    }
    SiteAddresses sites;
    sites.author_base = base;
    testing::LabelOnlyWindow window("1.0.1");
    testing::RecordingSeam seam;
    EXPECT_EQ(check_for_update(sites, window, seam.seam(), {}), std::nullopt);
    EXPECT_TRUE(seam.events.empty());
}

// The demo's author site, which the demo program starts against.
TEST(CheckForUpdate, AgainstTheDemoAuthorSite) {
    for (const char* published : {"1.0.1", "1.0.2"}) {
        SCOPED_TRACE(published);
        DemoSiteOptions options;
        options.published_version = published;
        const DemoSite site(options);
        testing::LabelOnlyWindow window("1.0.1");
        testing::RecordingSeam seam;

        const auto exit_code = check_for_update(site.addresses(), window, seam.seam(), {});

        if (std::string_view(published) == "1.0.1") {
            EXPECT_EQ(exit_code, std::nullopt);
            EXPECT_TRUE(seam.events.empty());
        } else {
            EXPECT_EQ(exit_code, 0);
            ASSERT_EQ(seam.events.size(), 2u);
            EXPECT_EQ(seam.events[1], "open " + author_home_address(site.addresses()).str());
        }
    }
}

}  // namespace
}  // namespace vx
