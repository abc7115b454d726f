#include "sound/block_scheduler.h"

#include <algorithm>

namespace velmora {

BlockScheduler::BlockScheduler(double sampleRate) : clock_(sampleRate) {}

bool BlockScheduler::post(const TimedMessage& message) {
    if (!queue_.tryPush(message)) return false;
    ++posted_;
    return true;
}

void BlockScheduler::silenceIfRequested(BlockRenderTarget& target) {
    const std::uint64_t fence = silenceFence_.load(std::memory_order_acquire);
    if (fence == silencedAt_) return;
    // What was sent before the stop still changes the channels' state (programs, controllers).
    while (applied_ + 1 < fence) {
        const TimedMessage* message = queue_.front();
        if (!message) break;
        target.applyMessage(*message);
        queue_.pop();
        ++applied_;
    }
    target.silence();
    silencedAt_ = fence;
}

void BlockScheduler::renderPeriod(int frames, std::int64_t callbackNs, BlockRenderTarget& target) {
    if (frames > largestPeriod_.load(std::memory_order_relaxed)) {
        largestPeriod_.store(frames, std::memory_order_relaxed);
    }
    clock_.observe(streamFrame_, callbackNs);
    silenceIfRequested(target);
    for (int offset = 0; offset < frames; offset += kBlockFrames) {
        const int length = std::min(kBlockFrames, frames - offset);
        applyDue(streamFrame_ + offset, streamFrame_ + offset + length, target);
        target.renderBlock(offset, length);
    }
    streamFrame_ += frames;
}

void BlockScheduler::applyDue(std::int64_t blockStart, std::int64_t blockEnd, BlockRenderTarget& target) {
    // A message starts at the block boundary nearest its time: voices only start
    // on boundaries, and the nearest one halves the error of always taking the
    // one before.
    const std::int64_t half = (blockEnd - blockStart) / 2;
    while (const TimedMessage* message = queue_.front()) {
        if (message->dueNs != TimedMessage::kAtOnce) {
            const std::int64_t frame = clock_.frameAt(message->dueNs);
            if (frame >= blockStart + half) return;
            if (frame < blockStart - half) late_.fetch_add(1, std::memory_order_relaxed);
        }
        target.applyMessage(*message);
        queue_.pop();
        ++applied_;
    }
}

}  // namespace velmora
