// When the timer starts, restarts and keeps its period.
#include <gtest/gtest.h>

#include "timer_test_support.h"

namespace velmora {
namespace {

using namespace velmora::testing;

TEST(TickTimerReplyTimeout, IsNinetyThreePercentRoundedHalfToEven) {
    EXPECT_EQ(TickTimer::replyTimeoutFor(200), 186u);
    EXPECT_EQ(TickTimer::replyTimeoutFor(1000), 930u);
    EXPECT_EQ(TickTimer::replyTimeoutFor(80), 74u);
    EXPECT_EQ(TickTimer::replyTimeoutFor(150), 140u);  // 139.5 -> even 140
    EXPECT_EQ(TickTimer::replyTimeoutFor(250), 232u);  // 232.5 -> even 232
    EXPECT_EQ(TickTimer::replyTimeoutFor(350), 326u);  // 325.5 -> even 326
    EXPECT_EQ(TickTimer::replyTimeoutFor(0), 0u);
    EXPECT_EQ(TickTimer::replyTimeoutFor(1), 1u);
    // 4294967295 x 93 = 399431958435: no overflow of the 32-bit interval.
    EXPECT_EQ(TickTimer::replyTimeoutFor(4294967295u), 3994319584u);
}

TEST(TickTimerReplyTimeout, FollowsTheInterval) {
    TimerFixture f;
    EXPECT_EQ(f.timer->interval(), 1000u);
    EXPECT_EQ(f.timer->replyTimeout(), 930u);
    f.timer->setInterval(250);
    EXPECT_EQ(f.timer->replyTimeout(), 232u);
}

TEST(TickTimerStart, NeedsAHandler) {
    TimerFixture f;
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    EXPECT_TRUE(f.timer->enabled());
    EXPECT_FALSE(f.timer->running());
    f.drainFor(2 * kPeriod);
    EXPECT_TRUE(f.records.empty());

    f.timer->setHandler([](TickTimer&) {});
    EXPECT_TRUE(f.timer->running());
    EXPECT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
}

TEST(TickTimerStart, NeedsANonzeroInterval) {
    TimerFixture f;
    f.timer->setHandler([](TickTimer&) {});
    f.timer->setInterval(0);
    f.timer->setEnabled(true);
    EXPECT_FALSE(f.timer->running());
    f.drainFor(2 * kPeriod);
    EXPECT_TRUE(f.records.empty());

    f.timer->setInterval(kPeriodMs);
    EXPECT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
    f.timer->setInterval(0);
    EXPECT_FALSE(f.timer->running());
    EXPECT_TRUE(f.timer->enabled());
}

TEST(TickTimerStart, EnablingTwiceRunsOneTimerOnAnExactGrid) {
    TimerFixture f;
    std::vector<std::int64_t> dueSeenInTick;
    f.timer->setHandler([&](TickTimer& sender) {
        EXPECT_EQ(&sender, f.timer.get());
        dueSeenInTick.push_back(sender.currentTickDueNs());
    });
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 4; })) << f.describe();
    f.timer->setEnabled(false);

    ASSERT_EQ(dueSeenInTick.size(), f.records.size());
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        EXPECT_EQ(dueSeenInTick[i], f.records[i].dueNs);
        EXPECT_EQ(f.records[i].sequence, i + 1);
        EXPECT_EQ(f.records[i].dueNs - f.records[0].dueNs, msToNs(kPeriodMs) * static_cast<std::int64_t>(i));
        EXPECT_LE(f.records[i].dueNs, f.records[i].handedNs);
        EXPECT_LE(f.records[i].handedNs, f.records[i].startNs);
        EXPECT_LE(f.records[i].startNs, f.records[i].finishNs);
    }
}

TEST(TickTimerStart, SettingTheSameIntervalKeepsThePeriod) {
    TimerFixture f;
    f.timer->setHandler([](TickTimer&) {});
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
    f.timer->setInterval(kPeriodMs);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 4; })) << f.describe();

    EXPECT_EQ(f.sequences(), (std::vector<std::uint64_t>{1, 2, 3, 4}));
    EXPECT_EQ(f.records[3].dueNs - f.records[0].dueNs, 3 * msToNs(kPeriodMs));
}

TEST(TickTimerStart, ANewIntervalRestartsThePeriodFromTheChange) {
    TimerFixture f;
    f.timer->setHandler([](TickTimer&) {});
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
    f.records.clear();

    const std::int64_t before = monotonicNowNs();
    f.timer->setInterval(50);
    const std::int64_t after = monotonicNowNs();
    EXPECT_EQ(f.timer->replyTimeout(), 46u);  // 46.5 -> even 46
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();

    EXPECT_EQ(f.records[0].sequence, 1u);
    EXPECT_GE(f.records[0].dueNs, before + msToNs(50));
    EXPECT_LE(f.records[0].dueNs, after + msToNs(50));
    EXPECT_EQ(f.records[1].dueNs - f.records[0].dueNs, msToNs(50));
}

TEST(TickTimerStart, SettingTheHandlerAlwaysRestarts) {
    TimerFixture f;
    const TickTimer::TickHandler handler = [](TickTimer&) {};
    f.timer->setHandler(handler);
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
    f.timer->setHandler(handler);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 3; })) << f.describe();
    EXPECT_EQ(f.records[2].sequence, 1u);

    f.timer->setHandler(nullptr);
    EXPECT_FALSE(f.timer->running());
}

TEST(TickTimerStop, DisablingDropsAHandedOverTickAndDoesNotWaitForThePeriod) {
    TimerFixture f;
    int ticks = 0;
    f.timer->setHandler([&](TickTimer&) { ++ticks; });
    f.timer->setInterval(100);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.waitForHandOver());
    f.timer->setEnabled(false);
    f.drainFor(30ms);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(f.owner.overruns, 0);

    // A long period: stopping must wake the sleeping thread, not wait a second.
    f.timer->setInterval(1000);
    f.timer->setEnabled(true);
    const auto start = std::chrono::steady_clock::now();
    f.timer->setEnabled(false);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(f.timer->running());
}

}  // namespace
}  // namespace velmora
