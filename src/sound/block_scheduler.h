#pragma once

#include <atomic>
#include <cstdint>

#include "sound/spsc_ring.h"
#include "sound/stream_clock.h"
#include "sound/timed_message.h"

namespace velmora {

// What the scheduler drives inside an audio callback: the synthesizer, or a
// recorder in tests.
class BlockRenderTarget {
public:
    virtual ~BlockRenderTarget() = default;
    virtual void applyMessage(const TimedMessage& message) = 0;
    // Renders `frames` frames into the current period's buffers from `offset` on.
    virtual void renderBlock(int offset, int frames) = 0;
    // All notes and sounds off on every channel.
    virtual void silence() = 0;
};

// Places stamped messages in the audio stream at 64-frame precision. The
// sending thread posts messages; the audio thread renders each period in
// 64-frame blocks and, before each block, applies the messages whose due time
// falls in it. Messages are applied in the order they were posted, so a chord
// stamped with one time lands in one block. A message whose time has already
// been rendered is applied at once and counted as late; one stamped kAtOnce is
// applied in the next block without being late.
//
// The stop's silence does not go through the queue, which may be full when
// the audio thread stalls: requestSilence() marks how far the queue had got,
// and the next period applies everything posted before the mark at once and
// then silences the target.
class BlockScheduler {
public:
    static constexpr int kBlockFrames = 64;
    static constexpr std::size_t kCapacity = 4096;

    explicit BlockScheduler(double sampleRate);

    // Sending thread. False when the queue is full (the audio thread has stalled).
    bool post(const TimedMessage& message);
    // Sending thread: silence at the start of the next period, after what was posted so far.
    void requestSilence() { silenceFence_.store(posted_ + 1, std::memory_order_release); }

    // Audio thread: one period of `frames` frames whose callback ran at `callbackNs`.
    void renderPeriod(int frames, std::int64_t callbackNs, BlockRenderTarget& target);

    // Any thread.
    std::int64_t lateMessages() const { return late_.load(std::memory_order_relaxed); }
    int largestPeriod() const { return largestPeriod_.load(std::memory_order_relaxed); }

    // Audio thread (or after it has stopped): the first frame of the next period.
    std::int64_t streamFrame() const { return streamFrame_; }

private:
    void applyDue(std::int64_t blockStart, std::int64_t blockEnd, BlockRenderTarget& target);
    void silenceIfRequested(BlockRenderTarget& target);

    SpscRing<TimedMessage, kCapacity> queue_;
    StreamClock clock_;
    std::int64_t streamFrame_ = 0;  // audio thread
    std::uint64_t posted_ = 0;      // sending thread: messages queued so far
    std::uint64_t applied_ = 0;     // audio thread: messages taken off the queue so far, untimed ones too
    std::uint64_t silencedAt_ = 0;  // audio thread: the last fence honoured
    std::atomic<std::uint64_t> silenceFence_{0};  // messages posted before the stop, plus one
    std::atomic<std::int64_t> late_{0};
    std::atomic<int> largestPeriod_{0};
};

}  // namespace velmora
