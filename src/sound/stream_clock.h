#pragma once

#include <cstdint>

namespace velmora {

// Maps monotonic time to the audio stream's frame position. Each audio callback
// reports which frame it starts rendering and when it ran; callback times jitter
// with the sound server's scheduling, so the offset between the two clocks is
// averaged: a plain mean over the first callbacks, then a slow exponential
// filter that still follows drift between the sound card and the system clock.
// A jump larger than kResyncSeconds (an underrun, the start-up prefill) restarts
// the average. Used by the audio thread only.
class StreamClock {
public:
    static constexpr double kResyncSeconds = 0.1;
    static constexpr int kAveragedCallbacks = 64;

    explicit StreamClock(double sampleRate);

    void observe(std::int64_t frame, std::int64_t nowNs);
    // The frame nearest to time `ns`; 0 before the first observation.
    std::int64_t frameAt(std::int64_t ns) const;
    bool hasObservations() const { return observations_ > 0; }

private:
    double framesAt(std::int64_t ns) const;

    double framesPerNs_;
    std::int64_t originNs_ = 0;
    double offsetFrames_ = 0.0;
    int observations_ = 0;
};

}  // namespace velmora
