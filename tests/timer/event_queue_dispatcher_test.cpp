#include "midi/event_queue_dispatcher.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace velmora {
namespace {

using namespace std::chrono_literals;

TEST(EventQueueDispatcher, RunsTasksFromOtherThreadsInOrderOnTheDrainingThread) {
    EventQueueDispatcher dispatcher;
    std::vector<int> order;
    std::vector<std::thread::id> ranOn;
    std::thread poster([&] {
        for (int i = 0; i < 5; ++i) {
            dispatcher.post([&order, &ranOn, i] {
                order.push_back(i);
                ranOn.push_back(std::this_thread::get_id());
            });
        }
    });
    poster.join();

    EXPECT_EQ(dispatcher.runPending(), 5u);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    for (const auto& id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
    EXPECT_EQ(dispatcher.runPending(), 0u);
}

TEST(EventQueueDispatcher, TaskPostedByATaskWaitsForTheNextDrain) {
    EventQueueDispatcher dispatcher;
    int runs = 0;
    dispatcher.post([&] {
        ++runs;
        dispatcher.post([&] { ++runs; });
    });
    EXPECT_EQ(dispatcher.runPending(), 1u);
    EXPECT_EQ(dispatcher.pendingCount(), 1u);
    EXPECT_EQ(dispatcher.runPending(), 1u);
    EXPECT_EQ(runs, 2);
}

TEST(EventQueueDispatcher, WaitAndRunWakesForAPostAndRunUntilStopsAtItsCondition) {
    EventQueueDispatcher dispatcher;
    int runs = 0;
    std::thread poster([&] {
        std::this_thread::sleep_for(5ms);
        dispatcher.post([&] { ++runs; });
        dispatcher.post([&] { ++runs; });
    });
    EXPECT_TRUE(dispatcher.runUntil([&] { return runs == 2; }, 5s));
    poster.join();
    EXPECT_EQ(dispatcher.waitAndRun(1ms), 0u);
    EXPECT_FALSE(dispatcher.runUntil([] { return false; }, 2ms));
}

}  // namespace
}  // namespace velmora
