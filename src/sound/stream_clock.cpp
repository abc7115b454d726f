#include "sound/stream_clock.h"

#include <algorithm>
#include <cmath>

namespace velmora {

StreamClock::StreamClock(double sampleRate) : framesPerNs_(sampleRate / 1e9) {}

double StreamClock::framesAt(std::int64_t ns) const {
    return static_cast<double>(ns - originNs_) * framesPerNs_;
}

void StreamClock::observe(std::int64_t frame, std::int64_t nowNs) {
    if (!observed_) originNs_ = nowNs;
    // A late callback gives a smaller offset than an on-time one.
    const double offset = static_cast<double>(frame) - framesAt(nowNs);
    const double resyncFrames = kResyncSeconds * framesPerNs_ * 1e9;
    if (!observed_ || std::fabs(offset - offsetFrames_) > resyncFrames) {
        recentCount_ = 0;
        next_ = 0;
        observed_ = true;
    }
    recentOffsets_[next_] = offset;
    next_ = (next_ + 1) % kWindow;
    recentCount_ = std::min(recentCount_ + 1, kWindow);
    offsetFrames_ = *std::max_element(recentOffsets_.begin(), recentOffsets_.begin() + recentCount_);
}

std::int64_t StreamClock::frameAt(std::int64_t ns) const {
    if (!observed_) return 0;
    return std::llround(framesAt(ns) + offsetFrames_);
}

}  // namespace velmora
