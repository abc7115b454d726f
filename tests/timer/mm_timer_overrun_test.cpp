// A tick that does not finish within 93 % of the period switches the timer off.
#include <gtest/gtest.h>

#include "timer_test_support.h"

namespace velmora {
namespace {

using namespace velmora::testing;

TEST(TMMTimerOverrun, SlowTickGivesExactlyOneNoticeAndNoTickAfterIt) {
    TimerFixture f;
    int ticks = 0;
    f.timer->SetOnTimer([&](TMMTimer&) {
        ++ticks;
        std::this_thread::sleep_for(3 * kPeriod);  // the reply timeout is 56 ms
    });
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return !f.owner.notices.empty(); })) << f.describe();
    EXPECT_FALSE(f.timer->Enabled());
    EXPECT_FALSE(f.timer->running());
    f.drainFor(3 * kPeriod);

    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(f.owner.notices, std::vector<Notice>{kOverrunNotice});
    ASSERT_EQ(f.records.size(), 1u);
    EXPECT_GT(f.records[0].finishNs - f.records[0].startNs, msToNs(56));
}

TEST(TMMTimerOverrun, ExpiryThatHadNotStartedByTheTimeoutNeverRuns) {
    TimerFixture f;
    int ticks = 0;
    f.timer->SetOnTimer([&](TMMTimer&) { ++ticks; });
    f.timer->SetInterval(20);
    f.timer->SetEnabled(true);
    // The owner's thread is busy elsewhere: the expiry waits in the queue past
    // its reply timeout, and the timer thread gives up on it.
    ASSERT_TRUE(f.waitForHandOver());
    std::this_thread::sleep_for(60ms);
    ASSERT_TRUE(f.drainUntil([&] { return !f.owner.notices.empty(); })) << f.describe();
    f.drainFor(50ms);

    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(f.records.empty());
    EXPECT_EQ(f.owner.notices, std::vector<Notice>{kOverrunNotice});
    EXPECT_FALSE(f.timer->Enabled());
}

TEST(TMMTimerOverrun, LateTickThatStopsTheTimerItselfStillReportsOnce) {
    // The end of the text: the tick disables the timer, but it was already late.
    TimerFixture f;
    f.timer->SetOnTimer([&](TMMTimer& sender) {
        std::this_thread::sleep_for(3 * kPeriod);
        sender.SetEnabled(false);
    });
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return !f.owner.notices.empty(); })) << f.describe();
    f.drainFor(50ms);

    EXPECT_EQ(f.records.size(), 1u);
    EXPECT_EQ(f.owner.notices, std::vector<Notice>{kOverrunNotice});
    EXPECT_FALSE(f.timer->Enabled());
}

TEST(TMMTimerOverrun, OwnerCanStartAgainFromTheNotice) {
    TimerFixture f;
    bool slow = true;
    f.timer->SetOnTimer([&](TMMTimer&) {
        if (slow) std::this_thread::sleep_for(2 * kPeriod);
        slow = false;
    });
    f.owner.onNotice = [&] { f.timer->SetEnabled(true); };
    f.timer->SetInterval(kPeriodMs);
    f.timer->SetEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 3; })) << f.describe();

    EXPECT_EQ(f.owner.notices.size(), 1u);
    EXPECT_EQ(f.sequences(), (std::vector<std::uint64_t>{1, 1, 2}));
    EXPECT_TRUE(f.timer->running());
}

}  // namespace
}  // namespace velmora
