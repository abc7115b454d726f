#include "sound/block_scheduler.h"

#include <algorithm>

namespace velmora {

BlockScheduler::BlockScheduler(double sampleRate) : clock_(sampleRate) {}

bool BlockScheduler::post(const TimedMessage& message) { return queue_.tryPush(message); }

void BlockScheduler::renderPeriod(int frames, std::int64_t callbackNs, BlockRenderTarget& target) {
    if (frames > largestPeriod_.load(std::memory_order_relaxed)) {
        largestPeriod_.store(frames, std::memory_order_relaxed);
    }
    clock_.observe(streamFrame_, callbackNs);
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
        const std::int64_t frame = clock_.frameAt(message->dueNs);
        if (frame >= blockStart + half) return;
        if (frame < blockStart - half) late_.fetch_add(1, std::memory_order_relaxed);
        target.applyMessage(*message);
        queue_.pop();
    }
}

}  // namespace velmora
