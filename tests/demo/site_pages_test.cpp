#include <gtest/gtest.h>

#include <string>

#include "demo/demo_site.h"
#include "tests/demo/http_get.h"

namespace vx {
namespace {

using test::http_get;

std::string between(const std::string& text, const std::string& start, const std::string& end) {
    const auto from = text.find(start);
    if (from == std::string::npos) {
        return {};
    }
    const auto to = text.find(end, from + start.size());
    return to == std::string::npos ? std::string()
                                   : text.substr(from + start.size(), to - from - start.size());
}

TEST(TrackPages, ScriptLineNamesTheMediaIdThatTheMediaServerServes) {
    const DemoSite site;
    const SiteAddresses sites = site.addresses();
    for (const int kind : {1, 2, 3, 4, 5}) {
        for (const DemoTrack& track : {site.tracks(kind).front(), site.tracks(kind).back()}) {
            const auto page = http_get((sites.catalogue_base + track.link).view());
            ASSERT_TRUE(page.has_value());
            ASSERT_EQ(page->status, 200);
            // The program's end marker stops at the carriage return.
            const std::string id = between(page->body, "url: musicUrl + '", ".mp3',\r");
            EXPECT_EQ(id, track.media_id.str());
            EXPECT_NE(page->body.find("url: musicUrl + '" + id + ".mp3',\r\n"), std::string::npos);
            EXPECT_NE(id.find('/'), std::string::npos);

            const auto mp3 = http_get((sites.media_base + id + ".mp3").view());
            ASSERT_TRUE(mp3.has_value());
            EXPECT_EQ(mp3->status, 200);
            EXPECT_NE(mp3->head.find("Content-Type: audio/mpeg"), std::string::npos);
            EXPECT_EQ(mp3->content_length, track.mp3.size());
            EXPECT_EQ(mp3->body, track.mp3);
        }
    }
}

TEST(TrackPages, MediaIdsAndFilesDifferFromTrackToTrack) {
    const DemoSite site;
    const auto& tracks = site.tracks(5);
    for (std::size_t i = 1; i < tracks.size(); ++i) {
        EXPECT_NE(tracks[i].media_id, tracks[i - 1].media_id);
        EXPECT_NE(tracks[i].mp3, tracks[i - 1].mp3);
        EXPECT_EQ(tracks[i].mp3_length, tracks[i].mp3.size());
        EXPECT_EQ(site.mp3_file(tracks[i]), tracks[i].mp3);
    }
}

TEST(MediaServer, LargeFilesAreStreamedAtAboutTheAskedSize) {
    constexpr std::size_t kSize = 1024 * 1024;
    const DemoSite site(DemoSiteOptions{3, kSize, "1.0.1"});
    const DemoTrack& track = site.tracks(5).at(1);
    EXPECT_TRUE(track.mp3.empty());
    EXPECT_NEAR(static_cast<double>(track.mp3_length), static_cast<double>(kSize), 417.0);

    const auto mp3 = http_get((site.addresses().media_base + track.media_id + ".mp3").view());
    ASSERT_TRUE(mp3.has_value());
    EXPECT_EQ(mp3->content_length, track.mp3_length);
    EXPECT_EQ(mp3->body.size(), track.mp3_length);
    EXPECT_TRUE(mp3->body == site.mp3_file(track));
}

TEST(AuthorSite, UpdateNoticePublishesTheConfiguredVersion) {
    // 软件版本号：
    const std::string start =
        "<strong><span style=\"color:#E53333;\">\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xBA";
    const std::string end = "</span></strong> ";
    for (const char* version : {"1.0.1", "2.0.0 beta"}) {
        const DemoSite site(DemoSiteOptions{1, 0, version});
        const auto notice = http_get(update_notice_address(site.addresses()).view());
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(notice->status, 200);
        EXPECT_EQ(between(notice->body, start, end), version);
        EXPECT_NE(notice->body.substr(0, 1024).find("charset=gb2312"), std::string::npos);

        const auto home = http_get(author_home_address(site.addresses()).view());
        ASSERT_TRUE(home.has_value());
        EXPECT_EQ(home->status, 200);
        EXPECT_EQ(between(home->body, start, end), "");
    }
}

TEST(CatalogueSite, PutPageReplacesOrAddsAPageAndUnknownTargetsAre404) {
    DemoSite site;
    const SiteAddresses sites = site.addresses();
    site.put_page("/DJlist/index.htm", "replaced");
    site.put_page("/extra/page.htm?x=1", "with query");
    EXPECT_EQ(http_get((sites.catalogue_base + "/DJlist/index.htm").view())->body, "replaced");
    EXPECT_EQ(http_get((sites.catalogue_base + "/extra/page.htm?x=1").view())->body, "with query");
    for (const Text& address :
         {sites.catalogue_base + "/nothing.htm", sites.catalogue_base + "/play/99999999.htm",
          sites.media_base + "2024/01/dj0.mp3", sites.author_base + "/wp-admin/"}) {
        const auto response = http_get(address.view());
        ASSERT_TRUE(response.has_value()) << address.str();
        EXPECT_EQ(response->status, 404) << address.str();
    }
}

}  // namespace
}  // namespace vx
