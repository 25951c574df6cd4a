#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "demo/demo_site.h"
#include "tests/demo/http_get.h"

namespace vx {
namespace {

using namespace std::chrono_literals;
using test::http_get;

struct FaultCase {
    const char* name;
    int server;  // 0 catalogue, 1 media, 2 author
};

class Faults : public ::testing::TestWithParam<FaultCase> {
  protected:
    // The address of a target on the case's server that normally answers 200.
    std::string target() const {
        switch (GetParam().server) {
            case 0:
                return "/DJlist/index.htm";
            case 1:
                return "/" + site_.tracks(5).front().media_id.str() + ".mp3";
            default:
                return "/?post=5";
        }
    }
    std::string address() const {
        const SiteAddresses sites = site_.addresses();
        switch (GetParam().server) {
            case 0:
                return sites.catalogue_base.str() + target();
            case 1:
                return sites.media_base.str() + target().substr(1);
            default:
                return sites.author_base.str() + target();
        }
    }
    DemoSite site_;
};

TEST_P(Faults, NotFoundCutOffAndHangThenRecovery) {
    const auto whole = http_get(address());
    ASSERT_TRUE(whole.has_value());
    ASSERT_EQ(whole->status, 200);
    ASSERT_GT(whole->body.size(), 1u);

    site_.set_fault(target(), Fault::not_found);
    const auto missing = http_get(address());
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->status, 404);
    EXPECT_NE(missing->body.find("404"), std::string::npos);

    site_.set_fault(target(), Fault::cut_off);
    const auto cut = http_get(address());
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->content_length, whole->body.size());
    EXPECT_EQ(cut->body, whole->body.substr(0, whole->body.size() / 2));

    site_.set_fault(target(), Fault::hang);
    EXPECT_FALSE(http_get(address(), 300).has_value());

    site_.set_fault(target(), Fault::none);
    const auto again = http_get(address());
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->body, whole->body);
}

INSTANTIATE_TEST_SUITE_P(EachServer, Faults,
                         ::testing::Values(FaultCase{"catalogue", 0}, FaultCase{"media", 1},
                                           FaultCase{"author", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FaultsLarge, CutOffStreamedFileSendsHalf) {
    DemoSite site(DemoSiteOptions{2, 300 * 1024, "1.0.1"});
    const DemoTrack& track = site.tracks(1).front();
    const std::string target = "/" + track.media_id.str() + ".mp3";
    site.set_fault(target, Fault::cut_off);
    const auto cut = http_get(site.addresses().media_base.str() + target.substr(1));
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->content_length, track.mp3_length);
    EXPECT_EQ(cut->body, site.mp3_file(track).substr(0, track.mp3_length / 2));
}

TEST(Shutdown, ReturnsPromptlyWhileAClientWaitsOnAHangingPage) {
    auto site = std::make_unique<DemoSite>();
    site->set_fault("/DJlist/index.htm", Fault::hang);
    site->set_delay(60s);  // a long pause must not hold the shutdown either
    const std::string address = site->list_page_address(5).str();
    auto client = std::async(std::launch::async, [address] { return http_get(address, 30000); });
    while (site->requests().empty()) {
        std::this_thread::sleep_for(5ms);
    }
    auto shutdown = std::async(std::launch::async, [&site] { site.reset(); });
    ASSERT_EQ(shutdown.wait_for(10s), std::future_status::ready);
    ASSERT_EQ(client.wait_for(10s), std::future_status::ready);
    const auto response = client.get();
    EXPECT_TRUE(!response.has_value() || response->body.empty());
}

TEST(Delay, PausesEveryResponseUntilCleared) {
    DemoSite site;
    const std::string address = update_notice_address(site.addresses()).str();
    site.set_delay(300ms);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(http_get(address).has_value());
    ASSERT_TRUE(http_get(site.list_page_address(1).str()).has_value());
    EXPECT_GE(std::chrono::steady_clock::now() - started, 600ms);
}

TEST(Requests, RecordServerMethodTargetAndTimeInOrder) {
    DemoSite site;
    const SiteAddresses sites = site.addresses();
    const DemoTrack& track = site.tracks(2).front();
    ASSERT_TRUE(http_get(sites.catalogue_base.str() + "/fengGe/list_1.htm?page=1").has_value());
    ASSERT_TRUE(http_get((sites.catalogue_base + track.link).str()).has_value());
    ASSERT_TRUE(http_get((sites.media_base + track.media_id + ".mp3").str()).has_value());
    ASSERT_TRUE(http_get(update_notice_address(sites).str()).has_value());

    const std::vector<RecordedRequest> seen = site.requests();
    ASSERT_EQ(seen.size(), 4u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"catalogue", "/fengGe/list_1.htm?page=1"},
        {"catalogue", track.link.str()},
        {"media", "/" + track.media_id.str() + ".mp3"},
        {"author", "/?post=5"},
    };
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].server, expected[i].first);
        EXPECT_EQ(seen[i].target, expected[i].second);
        EXPECT_EQ(seen[i].method, "GET");
        if (i > 0) {
            EXPECT_LE(seen[i - 1].at, seen[i].at);
        }
    }
    site.clear_requests();
    EXPECT_TRUE(site.requests().empty());
}

TEST(Requests, ManyClientsAtOnceWhileFaultsChange) {
    DemoSite site;
    const std::string address = site.list_page_address(3).str();
    constexpr int kClients = 4;
    constexpr int kEach = 15;
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&address] {
            for (int i = 0; i < kEach; ++i) {
                http_get(address);
            }
        });
    }
    for (int i = 0; i < kEach; ++i) {
        site.set_fault("/dasai/index.htm", i % 2 == 0 ? Fault::not_found : Fault::none);
        site.put_page("/other.htm", std::to_string(i));
        site.set_delay(std::chrono::milliseconds(i % 3));
        (void)site.requests();
    }
    for (auto& client : clients) {
        client.join();
    }
    EXPECT_EQ(site.requests().size(), static_cast<std::size_t>(kClients * kEach));
}

}  // namespace
}  // namespace vx
