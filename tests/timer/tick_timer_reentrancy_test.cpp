// What the handler may do to its own timer, handler errors, and destruction.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "timer_test_support.h"

namespace velmora {
namespace {

using namespace velmora::testing;

TEST(TickTimerHandler, ExceptionIsReportedAndTheTimerKeepsFiring) {
    TimerFixture f;
    std::vector<std::string> reports;
    f.timer->setErrorReporter([&](const std::string& message) { reports.push_back(message); });
    int ticks = 0;
    f.timer->setHandler([&](TickTimer&) {
        if (++ticks % 2 == 1) throw std::runtime_error("no such note");
        throw 42;
    });
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return reports.size() >= 4; })) << f.describe();

    EXPECT_EQ(reports[0], "no such note");
    EXPECT_EQ(reports[1], "unknown error in the timer handler");
    EXPECT_EQ(static_cast<int>(reports.size()), ticks);
    EXPECT_TRUE(f.timer->running());
    EXPECT_EQ(f.owner.overruns, 0);
    EXPECT_EQ(f.records.size(), reports.size());
}

TEST(TickTimerHandler, DisablingInsideTheTickStopsAtOnce) {
    TimerFixture f;
    int ticks = 0;
    f.timer->setHandler([&](TickTimer& sender) {
        if (++ticks == 3) sender.setEnabled(false);
    });
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return ticks == 3; })) << f.describe();
    f.drainFor(2 * kPeriod);

    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(f.timer->running());
    EXPECT_EQ(f.owner.overruns, 0);
}

TEST(TickTimerHandler, DisablingAndEnablingInsideTheTickRestartsThePeriod) {
    TimerFixture f;
    int ticks = 0;
    f.timer->setHandler([&](TickTimer& sender) {
        if (++ticks == 2) {
            sender.setEnabled(false);
            sender.setEnabled(true);
            sender.setInterval(kPeriodMs + 10);
        }
    });
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 5; })) << f.describe();

    EXPECT_EQ(f.sequences(), (std::vector<std::uint64_t>{1, 2, 1, 2, 3}));
    EXPECT_EQ(f.records[4].dueNs - f.records[3].dueNs, msToNs(kPeriodMs + 10));
    EXPECT_EQ(f.owner.overruns, 0);
}

TEST(TickTimerHandler, ReplacingTheHandlerInsideTheTickIsSafe) {
    TimerFixture f;
    auto label = std::make_shared<std::string>("first");
    std::vector<std::string> seen;
    f.timer->setHandler([&seen, label](TickTimer& sender) {
        sender.setHandler([&seen](TickTimer&) { seen.push_back("second"); });
        seen.push_back(*label);  // the capture must still be alive here
    });
    label.reset();
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return seen.size() >= 3; })) << f.describe();
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "second", "second"}));
}

TEST(TickTimerLifetime, DestroyingInsideTheTickIsSafe) {
    TimerFixture f;
    int ticks = 0;
    f.timer->setHandler([&](TickTimer&) {
        ++ticks;
        f.timer.reset();
    });
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.timer == nullptr; })) << f.describe();
    f.drainFor(2 * kPeriod);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(f.records.size(), 1u);
}

TEST(TickTimerLifetime, DestroyingWhileATickIsQueuedDropsIt) {
    TimerFixture f;
    int ticks = 0;
    f.timer->setHandler([&](TickTimer&) { ++ticks; });
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return ticks >= 2; })) << f.describe();
    ASSERT_TRUE(f.waitForHandOver());
    f.timer.reset();
    f.drainFor(20ms);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(f.owner.overruns, 0);
}

TEST(TickTimerLifetime, DestroyingWithAnOverrunNoticeQueuedDropsIt) {
    TimerFixture f;
    f.timer->setHandler([](TickTimer&) {});
    f.timer->setInterval(5);
    f.timer->setEnabled(true);
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
    EXPECT_EQ(f.owner.overruns, 0);
}

}  // namespace
}  // namespace velmora
