#include "sound/stream_clock.h"

#include <cmath>

namespace velmora {

StreamClock::StreamClock(double sampleRate) : framesPerNs_(sampleRate / 1e9) {}

double StreamClock::framesAt(std::int64_t ns) const {
    return static_cast<double>(ns - originNs_) * framesPerNs_;
}

void StreamClock::observe(std::int64_t frame, std::int64_t nowNs) {
    if (observations_ == 0) originNs_ = nowNs;
    const double offset = static_cast<double>(frame) - framesAt(nowNs);
    const double resyncFrames = kResyncSeconds * framesPerNs_ * 1e9;
    if (observations_ == 0 || std::fabs(offset - offsetFrames_) > resyncFrames) {
        offsetFrames_ = offset;
        observations_ = 1;
        return;
    }
    if (observations_ < kAveragedCallbacks) ++observations_;
    offsetFrames_ += (offset - offsetFrames_) / observations_;
}

std::int64_t StreamClock::frameAt(std::int64_t ns) const {
    if (observations_ == 0) return 0;
    return std::llround(framesAt(ns) + offsetFrames_);
}

}  // namespace velmora
