// What the handler may do to its own timer, handler errors, and destruction.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "timer_test_support.h"

namespace velmora {
namespace {

using namespace velmora::testing;

TEST(TMMTimerHandler, ExceptionIsReportedAndTheTimerKeepsFiring) {
    TimerFixture f;
    std::vector<std::string> reports;
    f.timer->setErrorReporter([&](const std::string& message) { reports.push_back(message); });
    int ticks = 0;
    f.timer->SetOnTimer([&](TMMTimer&) {
        if (++ticks % 2 == 1) throw std::runtime_error("no such note");
        throw 42;
    });
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return reports.size() >= 4; })) << f.describe();

    EXPECT_EQ(reports[0], "no such note");
    EXPECT_EQ(reports[1], "unknown error in the timer handler");
    EXPECT_EQ(static_cast<int>(reports.size()), ticks);
    EXPECT_TRUE(f.timer->running());
    EXPECT_TRUE(f.owner.notices.empty());
    EXPECT_EQ(f.records.size(), reports.size());
}

TEST(TMMTimerHandler, DisablingInsideTheTickStopsAtOnce) {
    TimerFixture f;
    int ticks = 0;
    f.timer->SetOnTimer([&](TMMTimer& sender) {
        if (++ticks == 3) sender.SetEnabled(false);
    });
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return ticks == 3; })) << f.describe();
    f.drainFor(2 * kPeriod);

    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(f.timer->running());
    EXPECT_TRUE(f.owner.notices.empty());
}

TEST(TMMTimerHandler, DisablingAndEnablingInsideTheTickRestartsThePeriod) {
    TimerFixture f;
    int ticks = 0;
    f.timer->SetOnTimer([&](TMMTimer& sender) {
        if (++ticks == 2) {
            sender.SetEnabled(false);
            sender.SetEnabled(true);
            sender.SetInterval(kPeriodMs + 10);
        }
    });
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 5; })) << f.describe();

    EXPECT_EQ(f.sequences(), (std::vector<std::uint64_t>{1, 2, 1, 2, 3}));
    EXPECT_EQ(f.records[4].dueNs - f.records[3].dueNs, msToNs(kPeriodMs + 10));
    EXPECT_TRUE(f.owner.notices.empty());
}

TEST(TMMTimerHandler, ReplacingTheHandlerInsideTheTickIsSafe) {
    TimerFixture f;
    auto label = std::make_shared<std::string>("first");
    std::vector<std::string> seen;
    f.timer->SetOnTimer([&seen, label](TMMTimer& sender) {
        sender.SetOnTimer([&seen](TMMTimer&) { seen.push_back("second"); });
        seen.push_back(*label);  // the capture must still be alive here
    });
    label.reset();
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return seen.size() >= 3; })) << f.describe();
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "second", "second"}));
}

TEST(TMMTimerLifetime, DestroyingInsideTheTickIsSafe) {
    TimerFixture f;
    int ticks = 0;
    f.timer->SetOnTimer([&](TMMTimer&) {
        ++ticks;
        f.timer.reset();
    });
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.timer == nullptr; })) << f.describe();
    f.drainFor(2 * kPeriod);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(f.records.size(), 1u);
}

TEST(TMMTimerLifetime, DestroyingWhileATickIsQueuedDropsIt) {
    TimerFixture f;
    int ticks = 0;
    f.timer->SetOnTimer([&](TMMTimer&) { ++ticks; });
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return ticks >= 2; })) << f.describe();
    ASSERT_TRUE(f.waitForHandOver());
    f.timer.reset();
    f.drainFor(20ms);
    EXPECT_EQ(ticks, 2);
    EXPECT_TRUE(f.owner.notices.empty());
}

TEST(TMMTimerLifetime, DestroyingWithAnOverrunNoticeQueuedDropsIt) {
    TimerFixture f;
    f.timer->SetOnTimer([](TMMTimer&) {});
    f.timer->SetInterval(5);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.waitForHandOver());
    // The tick waits past its timeout; the overrun notice is queued behind it.
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (f.dispatcher.pendingCount() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_EQ(f.dispatcher.pendingCount(), 2u);
    f.timer.reset();
    f.drainFor(20ms);
    EXPECT_TRUE(f.records.empty());
    EXPECT_TRUE(f.owner.notices.empty());
}

}  // namespace
}  // namespace velmora
