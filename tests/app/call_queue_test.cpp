#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "app/call_queue.h"

namespace vx {
namespace {

using namespace std::chrono_literals;

TEST(CallQueueTest, RunsCallsOnTheOwnerThreadOneAtATime) {
    std::atomic<int> wakes{0};
    CallQueue queue([&] { ++wakes; });
    const auto owner = std::this_thread::get_id();

    int counter = 0;  // touched on the owner thread only
    auto caller = [&] {
        for (int i = 0; i < 200; ++i) {
            bool on_owner = false;
            EXPECT_TRUE(queue.call([&] {
                on_owner = std::this_thread::get_id() == owner;
                ++counter;
            }));
            EXPECT_TRUE(on_owner);
        }
    };
    auto first = std::async(std::launch::async, caller);
    auto second = std::async(std::launch::async, caller);
    while (first.wait_for(0ms) != std::future_status::ready ||
           second.wait_for(0ms) != std::future_status::ready) {
        queue.drain(2ms, 100us);
    }
    EXPECT_EQ(counter, 400);
    EXPECT_GT(wakes.load(), 0);

    // On the owner thread a call runs at once.
    EXPECT_TRUE(queue.call([&] { ++counter; }));
    EXPECT_EQ(counter, 401);
}

TEST(CallQueueTest, ClosingReleasesWaitingCallersWithoutRunningThem) {
    CallQueue queue([] {});
    std::atomic<bool> ran{false};
    auto waiting = std::async(std::launch::async, [&] { return queue.call([&] { ran = true; }); });
    EXPECT_EQ(waiting.wait_for(50ms), std::future_status::timeout);
    queue.close();
    EXPECT_FALSE(waiting.get());
    EXPECT_FALSE(ran.load());

    auto late = std::async(std::launch::async, [&] { return queue.call([&] { ran = true; }); });
    EXPECT_FALSE(late.get());
    queue.drain(1ms, 0us);
    EXPECT_FALSE(ran.load());
}

}  // namespace
}  // namespace vx
