#include "sound/stream_clock.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora {
namespace {

constexpr double kStreamRate = 44100.0;
constexpr std::int64_t kPeriodFrames = 1024;
constexpr std::int64_t kStreamStartNs = 5'000'000'000;

// The time frame `frame` is really due, for a stream that started at kStreamStartNs.
std::int64_t trueTimeOf(std::int64_t frame) {
    return kStreamStartNs + static_cast<std::int64_t>(static_cast<double>(frame) * 1e9 / kStreamRate);
}

TEST(StreamClock, LateCallbacksDoNotMakeTheClockRunLate) {
    StreamClock clock(kStreamRate);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> lateUs(0, 3000);
    for (std::int64_t period = 0; period < 200; ++period) {
        const std::int64_t frame = period * kPeriodFrames;
        clock.observe(frame, trueTimeOf(frame) + lateUs(random) * 1000);
    }
    // Within a millisecond (44 frames) of the truth, however late callbacks ran.
    const std::int64_t probe = 210 * kPeriodFrames;
    EXPECT_NEAR(static_cast<double>(clock.frameAt(trueTimeOf(probe))), static_cast<double>(probe), 44.0);
}

TEST(StreamClock, ForgetsAStartBurstWithinItsWindow) {
    StreamClock clock(kStreamRate);
    // The stream's start fills four periods at once, long before they play.
    for (std::int64_t period = 0; period < 4; ++period) clock.observe(period * kPeriodFrames, kStreamStartNs);
    for (std::int64_t period = 4; period < 4 + static_cast<std::int64_t>(StreamClock::kWindow) + 4; ++period) {
        const std::int64_t frame = period * kPeriodFrames;
        clock.observe(frame, trueTimeOf(frame - 3 * kPeriodFrames));
    }
    const std::int64_t probe = 100 * kPeriodFrames;
    EXPECT_NEAR(static_cast<double>(clock.frameAt(trueTimeOf(probe - 3 * kPeriodFrames))),
                static_cast<double>(probe), 2.0);
}

TEST(StreamClock, StartsAgainAfterAnUnderrun) {
    StreamClock clock(kStreamRate);
    for (std::int64_t period = 0; period < 10; ++period) {
        clock.observe(period * kPeriodFrames, trueTimeOf(period * kPeriodFrames));
    }
    // Half a second lost: the stream resumes with frame 10 periods on at a much later time.
    const std::int64_t resumedAt = trueTimeOf(10 * kPeriodFrames) + 500'000'000;
    clock.observe(10 * kPeriodFrames, resumedAt);
    EXPECT_EQ(clock.frameAt(resumedAt), 10 * kPeriodFrames);
}

}  // namespace
}  // namespace velmora
