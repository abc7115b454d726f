#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora {

// Maps monotonic time to the audio stream's frame position. Each audio callback
// reports which frame it starts rendering and when it ran. A callback can run
// late (the sound server's scheduling) but never early, so the callbacks that
// ran soonest tell the true relation of the two clocks: the estimate is the
// largest offset of the last kWindow callbacks, a window short enough to follow
// drift between the sound card and the system clock and to forget the bursts of
// a stream's start. An average would place every note early by the mean
// lateness. A jump larger than kResyncSeconds (an underrun) starts the estimate
// again. Used by the audio thread only.
class StreamClock {
public:
    static constexpr double kResyncSeconds = 0.1;
    static constexpr std::size_t kWindow = 64;

    explicit StreamClock(double sampleRate);

    void observe(std::int64_t frame, std::int64_t nowNs);
    // The frame nearest to time `ns`; 0 before the first observation.
    std::int64_t frameAt(std::int64_t ns) const;

private:
    double framesAt(std::int64_t ns) const;

    double framesPerNs_;
    std::int64_t originNs_ = 0;
    std::array<double, kWindow> recentOffsets_{};
    std::size_t recentCount_ = 0;  // observations in the window, up to kWindow
    std::size_t next_ = 0;         // where the next observation goes
    double offsetFrames_ = 0.0;
    bool observed_ = false;
};

}  // namespace velmora
