// A tick that does not finish within 93 % of the period switches the timer off.
#include <gtest/gtest.h>

#include "timer_test_support.h"

namespace velmora {
namespace {

using namespace velmora::testing;

TEST(TickTimerOverrun, SlowTickGivesExactlyOneNoticeAndNoTickAfterIt) {
    TimerFixture f;
    int ticks = 0;
    f.timer->setHandler([&](TickTimer&) {
        ++ticks;
        std::this_thread::sleep_for(3 * kPeriod);  // the reply timeout is 56 ms
    });
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.owner.overruns > 0; })) << f.describe();
    EXPECT_FALSE(f.timer->enabled());
    EXPECT_FALSE(f.timer->running());
    f.drainFor(3 * kPeriod);

    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(f.owner.overruns, 1);
    ASSERT_EQ(f.records.size(), 1u);
    EXPECT_GT(f.records[0].finishNs - f.records[0].startNs, msToNs(56));
}

TEST(TickTimerOverrun, ExpiryThatHadNotStartedByTheTimeoutNeverRuns) {
    TimerFixture f;
    int ticks = 0;
    f.timer->setHandler([&](TickTimer&) { ++ticks; });
    f.timer->setInterval(20);
    f.timer->setEnabled(true);
    // The owner's thread is busy elsewhere: the expiry waits in the queue past
    // its reply timeout, and the timer thread gives up on it.
    ASSERT_TRUE(f.waitForHandOver());
    std::this_thread::sleep_for(60ms);
    ASSERT_TRUE(f.drainUntil([&] { return f.owner.overruns > 0; })) << f.describe();
    f.drainFor(50ms);

    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(f.records.empty());
    EXPECT_EQ(f.owner.overruns, 1);
    EXPECT_FALSE(f.timer->enabled());
}

TEST(TickTimerOverrun, LateTickThatStopsTheTimerItselfStillReportsOnce) {
    // The end of the text: the tick disables the timer, but it was already late.
    TimerFixture f;
    f.timer->setHandler([&](TickTimer& sender) {
        std::this_thread::sleep_for(3 * kPeriod);
        sender.setEnabled(false);
    });
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.owner.overruns > 0; })) << f.describe();
    f.drainFor(50ms);

    EXPECT_EQ(f.records.size(), 1u);
    EXPECT_EQ(f.owner.overruns, 1);
    EXPECT_FALSE(f.timer->enabled());
}

TEST(TickTimerOverrun, OwnerCanStartAgainFromTheNotice) {
    TimerFixture f;
    bool slow = true;
    f.timer->setHandler([&](TickTimer&) {
        if (slow) std::this_thread::sleep_for(2 * kPeriod);
        slow = false;
    });
    f.owner.onOverrun = [&] { f.timer->setEnabled(true); };
    f.timer->setInterval(kPeriodMs);
    f.timer->setEnabled(true);
    ASSERT_TRUE(f.drainUntil([&] { return f.records.size() >= 3; })) << f.describe();

    EXPECT_EQ(f.owner.overruns, 1);
    EXPECT_EQ(f.sequences(), (std::vector<std::uint64_t>{1, 1, 2}));
    EXPECT_TRUE(f.timer->running());
}

}  // namespace
}  // namespace velmora
