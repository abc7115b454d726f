#include "engine/time_estimate.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(TimeEstimateTest, OneTimerStepPerByte) {
    EXPECT_EQ(updateTimeEstimate(1200, 200), "04 : 00");
    EXPECT_EQ(updateTimeEstimate(61, 1000), "01 : 01");
    EXPECT_EQ(updateTimeEstimate(0, 300), "00 : 00");
    EXPECT_EQ(updateTimeEstimate(3, 300), "00 : 00");
    EXPECT_EQ(updateTimeEstimate(70, 1000), "01 : 10");
    EXPECT_EQ(updateTimeEstimate(6000, 1000), "100 : 00");
}

TEST(TimeEstimateTest, LargeTextsDoNotWrapTheProduct) {
    // 5,000,000 bytes at 1000 ms: 5,000,000 s, beyond what 32 bits of milliseconds hold.
    EXPECT_EQ(updateTimeEstimate(5'000'000, 1000), "83333 : 20");
}

}  // namespace
}  // namespace velmora
