#include "sound/block_scheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace velmora {
namespace {

constexpr double kRate = 48000.0;
constexpr int kPeriod = 1024;
constexpr std::int64_t kStartNs = 5'000'000'000;  // the clock does not start at zero

// Remembers in which block (its first stream frame) each message was applied.
class BlockRecorder final : public BlockRenderTarget {
public:
    struct Applied {
        std::int64_t blockStart;
        TimedMessage message;
    };

    void applyMessage(const TimedMessage& message) override { applied.push_back({cursor_, message}); }
    void renderBlock(int /*offset*/, int frames) override {
        blockSizes.push_back(frames);
        cursor_ += frames;
    }
    void silence() override { silences.push_back({cursor_, applied.size()}); }

    struct Silence {
        std::int64_t blockStart;
        std::size_t afterApplied;  // how many messages had been applied
    };
    std::vector<Applied> applied;
    std::vector<int> blockSizes;
    std::vector<Silence> silences;

private:
    std::int64_t cursor_ = 0;
};

std::int64_t nsOfFrame(std::int64_t frame) {
    return kStartNs + frame * 1'000'000'000 / static_cast<std::int64_t>(kRate);
}

TimedMessage noteAt(std::int64_t frame, std::uint8_t note) { return {nsOfFrame(frame), 0x90, note, 100}; }

// Runs periods whose callbacks come exactly on time.
void runPeriods(BlockScheduler& scheduler, BlockRecorder& recorder, int periods) {
    for (int i = 0; i < periods; ++i) {
        const std::int64_t start = scheduler.streamFrame();
        scheduler.renderPeriod(kPeriod, nsOfFrame(start), recorder);
    }
}

TEST(BlockScheduler, RendersEachPeriodInBlocksOf64) {
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    scheduler.renderPeriod(200, kStartNs, recorder);
    EXPECT_EQ(recorder.blockSizes, (std::vector<int>{64, 64, 64, 8}));
    EXPECT_EQ(scheduler.streamFrame(), 200);
}

TEST(BlockScheduler, AppliesAMessageAtTheBlockBoundaryNearestItsTime) {
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    runPeriods(scheduler, recorder, 1);  // the stream runs before the message arrives
    // In the block [4992, 5056) of the fifth period: 5000 is nearer its start,
    // 5040 nearer the next block's start.
    ASSERT_TRUE(scheduler.post(noteAt(5000, 60)));
    ASSERT_TRUE(scheduler.post(noteAt(5040, 62)));
    ASSERT_TRUE(scheduler.post(noteAt(5056, 64)));  // exactly on a boundary
    runPeriods(scheduler, recorder, 6);
    ASSERT_EQ(recorder.applied.size(), 3u);
    EXPECT_EQ(recorder.applied[0].blockStart, 4992);
    EXPECT_EQ(recorder.applied[0].message.data1, 60);
    EXPECT_EQ(recorder.applied[1].blockStart, 5056);
    EXPECT_EQ(recorder.applied[2].blockStart, 5056);
    EXPECT_EQ(scheduler.lateMessages(), 0);
}

TEST(BlockScheduler, PutsAChordInOneBlockInSendingOrder) {
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    runPeriods(scheduler, recorder, 1);
    for (std::uint8_t note : {48, 52, 55, 60}) ASSERT_TRUE(scheduler.post(noteAt(2390, note)));
    runPeriods(scheduler, recorder, 3);
    ASSERT_EQ(recorder.applied.size(), 4u);
    for (const auto& applied : recorder.applied) EXPECT_EQ(applied.blockStart, 2368);
    EXPECT_EQ(recorder.applied[0].message.data1, 48);
    EXPECT_EQ(recorder.applied[3].message.data1, 60);
}

TEST(BlockScheduler, AppliesLateMessagesAtOnceAndCountsThem) {
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    runPeriods(scheduler, recorder, 4);
    ASSERT_TRUE(scheduler.post(noteAt(100, 60)));  // long rendered already
    runPeriods(scheduler, recorder, 1);
    ASSERT_EQ(recorder.applied.size(), 1u);
    EXPECT_EQ(recorder.applied[0].blockStart, 4 * kPeriod);
    EXPECT_EQ(scheduler.lateMessages(), 1);
}

TEST(BlockScheduler, TakesAMessageWithoutTimeInTheNextBlockButBehindEarlierOnes) {
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    runPeriods(scheduler, recorder, 2);
    TimedMessage key = noteAt(0, 70);
    key.dueNs = TimedMessage::kAtOnce;
    ASSERT_TRUE(scheduler.post(key));
    runPeriods(scheduler, recorder, 1);
    ASSERT_EQ(recorder.applied.size(), 1u);
    EXPECT_EQ(recorder.applied[0].blockStart, 2 * kPeriod);  // the first block of the next period
    EXPECT_EQ(scheduler.lateMessages(), 0);

    // Behind a message still waiting for its time, it waits too: the order of sending holds.
    ASSERT_TRUE(scheduler.post(noteAt(6 * kPeriod + 10, 72)));
    ASSERT_TRUE(scheduler.post(key));
    runPeriods(scheduler, recorder, 5);
    ASSERT_EQ(recorder.applied.size(), 3u);
    EXPECT_EQ(recorder.applied[1].message.data1, 72);
    EXPECT_EQ(recorder.applied[2].blockStart, recorder.applied[1].blockStart);
}

TEST(BlockScheduler, HoldsMessagesDueAfterThePeriod) {
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    runPeriods(scheduler, recorder, 1);
    ASSERT_TRUE(scheduler.post(noteAt(48000, 60)));  // one second ahead
    runPeriods(scheduler, recorder, 10);
    EXPECT_TRUE(recorder.applied.empty());
}

TEST(BlockScheduler, ReportsAFullQueueInsteadOfBlocking) {
    BlockScheduler scheduler(kRate);
    for (std::size_t i = 0; i < BlockScheduler::kCapacity; ++i) ASSERT_TRUE(scheduler.post(noteAt(0, 60)));
    EXPECT_FALSE(scheduler.post(noteAt(0, 61)));
}

TEST(BlockScheduler, SilencesAtTheNextPeriodEvenWhenTheQueueIsFull) {
    // A stalled audio thread: the queue fills, the stop comes, the thread wakes up.
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    for (std::size_t i = 0; i < BlockScheduler::kCapacity; ++i) {
        ASSERT_TRUE(scheduler.post(noteAt(48000 + static_cast<std::int64_t>(i), 60)));
    }
    ASSERT_FALSE(scheduler.post(noteAt(48000, 61)));
    scheduler.requestSilence();
    runPeriods(scheduler, recorder, 1);
    ASSERT_EQ(recorder.silences.size(), 1u);
    EXPECT_EQ(recorder.silences[0].blockStart, 0) << "the silence waited for the messages' time";
    EXPECT_EQ(recorder.silences[0].afterApplied, BlockScheduler::kCapacity)
        << "what was sent before the stop comes first";
    runPeriods(scheduler, recorder, 60);
    EXPECT_EQ(recorder.silences.size(), 1u) << "one stop, one silence";
    EXPECT_EQ(recorder.applied.size(), BlockScheduler::kCapacity);
}

TEST(BlockScheduler, MessagesSentAfterTheStopKeepTheirTime) {
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    ASSERT_TRUE(scheduler.post(noteAt(3000, 60)));
    scheduler.requestSilence();
    ASSERT_TRUE(scheduler.post(noteAt(5000, 62)));  // the next performance
    runPeriods(scheduler, recorder, 6);
    ASSERT_EQ(recorder.silences.size(), 1u);
    EXPECT_EQ(recorder.silences[0].afterApplied, 1u);
    ASSERT_EQ(recorder.applied.size(), 2u);
    EXPECT_EQ(recorder.applied[0].blockStart, 0);
    EXPECT_EQ(recorder.applied[1].blockStart, 4992);
}

TEST(BlockScheduler, TheStopsFenceCountsKeysPlayedByHand) {
    // Typed keys, a performance, its stop, and the next performance's first note.
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    TimedMessage key = noteAt(0, 70);
    key.dueNs = TimedMessage::kAtOnce;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(scheduler.post(key));
    runPeriods(scheduler, recorder, 1);
    ASSERT_TRUE(scheduler.post(noteAt(1500, 60)));
    scheduler.requestSilence();
    ASSERT_TRUE(scheduler.post(noteAt(5000, 62)));
    runPeriods(scheduler, recorder, 6);
    ASSERT_EQ(recorder.silences.size(), 1u);
    EXPECT_EQ(recorder.silences[0].afterApplied, 4u)
        << "only what was sent before the stop precedes the silence";
    ASSERT_EQ(recorder.applied.size(), 5u);
    EXPECT_EQ(recorder.applied[4].blockStart, 4992) << "the next performance's note keeps its time";
}

TEST(BlockScheduler, KeepsOnsetsSteadyWhenCallbacksJitter) {
    // Callbacks come up to 6 ms late, as a loaded sound server delivers them.
    // After the clock has settled, every message must land within one block of
    // where its time says, apart from one constant offset (the mean lateness).
    BlockScheduler scheduler(kRate);
    BlockRecorder recorder;
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int64_t> lateness(0, 6'000'000);
    std::vector<std::int64_t> wanted;
    std::int64_t nextNote = 2 * 48000;  // two seconds of settling first
    for (int period = 0; period < 800; ++period) {
        const std::int64_t start = scheduler.streamFrame();
        while (nextNote < start + 8 * kPeriod) {  // posted a little ahead, like a stamped tick
            ASSERT_TRUE(scheduler.post(noteAt(nextNote, 60)));
            wanted.push_back(nextNote);
            nextNote += 7001;  // not a multiple of the block
        }
        scheduler.renderPeriod(kPeriod, nsOfFrame(start) + lateness(random), recorder);
    }
    ASSERT_GT(recorder.applied.size(), 100u);
    std::vector<std::int64_t> errors;
    for (std::size_t i = 0; i < recorder.applied.size(); ++i) {
        errors.push_back(recorder.applied[i].blockStart - wanted[i]);
    }
    std::vector<std::int64_t> sorted = errors;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const std::int64_t median = sorted[sorted.size() / 2];
    for (std::int64_t error : errors) {
        EXPECT_LE(std::abs(error - median), 2 * BlockScheduler::kBlockFrames);
    }
    EXPECT_EQ(scheduler.lateMessages(), 0);
}

}  // namespace
}  // namespace velmora
