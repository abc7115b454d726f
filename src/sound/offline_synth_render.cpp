#include "sound/offline_synth_render.h"

#include <fluidsynth.h>

#include <algorithm>

#include "sound/fluid_synth_instance.h"

namespace velmora {

OfflineSynthRender::OfflineSynthRender(FluidSynthInstance& synth, std::vector<FramedMessage> messages,
                                       std::int64_t totalFrames)
    : synth_(synth), messages_(std::move(messages)), totalFrames_(totalFrames) {}

void OfflineSynthRender::renderNext(std::int64_t frames, std::vector<std::int16_t>& out) {
    const std::int64_t end = std::min(cursor_ + frames, totalFrames_);
    out.resize(static_cast<std::size_t>(std::max<std::int64_t>(end - cursor_, 0)) * kChannels);
    std::int16_t* at = out.data();
    while (cursor_ < end) {
        // Apply what falls in the block starting at the cursor, then render up to the block of the next
        // message.
        while (next_ < messages_.size() && messages_[next_].frame < cursor_ + kBlockFrames) {
            const TimedFileMessage& m = messages_[next_++].message;
            synth_.applyMessage(m.status, m.data1, m.data2);
        }
        std::int64_t stop = end;
        if (next_ < messages_.size()) {
            const std::int64_t nextBlock = messages_[next_].frame / kBlockFrames * kBlockFrames;
            stop = std::min(stop, std::max(nextBlock, cursor_ + kBlockFrames));
        }
        render(stop - cursor_, at);
        at += (stop - cursor_) * kChannels;
        cursor_ = stop;
    }
}

void OfflineSynthRender::render(std::int64_t frames, std::int16_t* out) {
    left_.resize(static_cast<std::size_t>(frames));
    right_.resize(static_cast<std::size_t>(frames));
    fluid_synth_write_float(synth_.synth(), static_cast<int>(frames), left_.data(), 0, 1, right_.data(), 0, 1);
    for (std::int64_t i = 0; i < frames; ++i) {
        out[2 * i] = toSample16(left_[i]);
        out[2 * i + 1] = toSample16(right_[i]);
    }
}

}  // namespace velmora
