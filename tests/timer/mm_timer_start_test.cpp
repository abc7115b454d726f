// When the timer starts, restarts and keeps its period.
#include <gtest/gtest.h>

#include "timer_test_support.h"

namespace velmora {
namespace {

using namespace velmora::testing;

TEST(TMMTimerReplyTimeout, IsNinetyThreePercentRoundedHalfToEven) {
    EXPECT_EQ(TMMTimer::replyTimeoutFor(200), 186u);
    EXPECT_EQ(TMMTimer::replyTimeoutFor(1000), 930u);
    EXPECT_EQ(TMMTimer::replyTimeoutFor(80), 74u);
    EXPECT_EQ(TMMTimer::replyTimeoutFor(150), 140u);  // 139.5 -> even 140
    EXPECT_EQ(TMMTimer::replyTimeoutFor(250), 232u);  // 232.5 -> even 232
    EXPECT_EQ(TMMTimer::replyTimeoutFor(350), 326u);  // 325.5 -> even 326
    EXPECT_EQ(TMMTimer::replyTimeoutFor(0), 0u);
    EXPECT_EQ(TMMTimer::replyTimeoutFor(1), 1u);
    // 4294967295 x 93 = 399431958435: no overflow of the 32-bit interval.
    EXPECT_EQ(TMMTimer::replyTimeoutFor(4294967295u), 3994319584u);
}

TEST(TMMTimerReplyTimeout, FollowsTheInterval) {
    TimerFixture f;
    EXPECT_EQ(f.timer->Interval(), 1000u);
    EXPECT_EQ(f.timer->ReplyTimeout(), 930u);
    f.timer->SetInterval(250);
    EXPECT_EQ(f.timer->ReplyTimeout(), 232u);
}

TEST(TMMTimerStart, NeedsAHandler) {
    TimerFixture f;
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    EXPECT_TRUE(f.timer->Enabled());
    EXPECT_FALSE(f.timer->running());
    f.drainFor(2 * kPeriod);
    EXPECT_TRUE(f.records.empty());

    f.timer->SetOnTimer([](TMMTimer&) {});
    EXPECT_TRUE(f.timer->running());
    EXPECT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
}

TEST(TMMTimerStart, NeedsANonzeroInterval) {
    TimerFixture f;
    f.timer->SetOnTimer([](TMMTimer&) {});
    f.timer->SetInterval(0);
    f.timer->SetEnabled(true);
    EXPECT_FALSE(f.timer->running());
    f.drainFor(2 * kPeriod);
    EXPECT_TRUE(f.records.empty());

    f.timer->SetInterval(kPeriodMs);
    EXPECT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
    f.timer->SetInterval(0);
    EXPECT_FALSE(f.timer->running());
    EXPECT_TRUE(f.timer->Enabled());
}

TEST(TMMTimerStart, EnablingTwiceRunsOneTimerOnAnExactGrid) {
    TimerFixture f;
    std::vector<std::int64_t> dueSeenInTick;
    f.timer->SetOnTimer([&](TMMTimer& sender) {
        EXPECT_EQ(&sender, f.timer.get());
        dueSeenInTick.push_back(sender.currentTickDueNs());
    });
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 4; })) << f.describe();
    f.timer->SetEnabled(false);

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

TEST(TMMTimerStart, SettingTheSameIntervalKeepsThePeriod) {
    TimerFixture f;
    f.timer->SetOnTimer([](TMMTimer&) {});
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
    f.timer->SetInterval(kPeriodMs);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 4; })) << f.describe();

    EXPECT_EQ(f.sequences(), (std::vector<std::uint64_t>{1, 2, 3, 4}));
    EXPECT_EQ(f.records[3].dueNs - f.records[0].dueNs, 3 * msToNs(kPeriodMs));
}

TEST(TMMTimerStart, ANewIntervalRestartsThePeriodFromTheChange) {
    TimerFixture f;
    f.timer->SetOnTimer([](TMMTimer&) {});
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
    f.records.clear();

    const std::int64_t before = monotonicNowNs();
    f.timer->SetInterval(50);
    const std::int64_t after = monotonicNowNs();
    EXPECT_EQ(f.timer->ReplyTimeout(), 46u);  // 46.5 -> even 46
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();

    EXPECT_EQ(f.records[0].sequence, 1u);
    EXPECT_GE(f.records[0].dueNs, before + msToNs(50));
    EXPECT_LE(f.records[0].dueNs, after + msToNs(50));
    EXPECT_EQ(f.records[1].dueNs - f.records[0].dueNs, msToNs(50));
}

TEST(TMMTimerStart, SettingTheHandlerAlwaysRestarts) {
    TimerFixture f;
    const TMMTimer::TimerEvent handler = [](TMMTimer&) {};
    f.timer->SetOnTimer(handler);
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 2; })) << f.describe();
    f.timer->SetOnTimer(handler);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 3; })) << f.describe();
    EXPECT_EQ(f.records[2].sequence, 1u);

    f.timer->SetOnTimer(nullptr);
    EXPECT_FALSE(f.timer->running());
}

TEST(TMMTimerStop, DisablingDropsAHandedOverTickAndDoesNotWaitForThePeriod) {
    TimerFixture f;
    int ticks = 0;
    f.timer->SetOnTimer([&](TMMTimer&) { ++ticks; });
    f.timer->SetInterval(100);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.waitForHandOver());
    f.timer->SetEnabled(false);
    f.drainFor(30ms);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(f.owner.notices.empty());

    // A long period: stopping must wake the sleeping thread, not wait a second.
    f.timer->SetInterval(1000);
    f.timer->SetEnabled(true);
    const auto start = std::chrono::steady_clock::now();
    f.timer->SetEnabled(false);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(f.timer->running());
}

}  // namespace
}  // namespace velmora
