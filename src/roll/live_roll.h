#pragma once

#include <cstdint>

#include "roll/live_roll_recorder.h"
#include "roll/roll_model.h"

namespace velmora {

// The roll of the performance that runs now, built from a live record as the
// view catches up with it (a frame at a time, never inside a tick).
class LiveRoll {
public:
    // Starts over for a performance with this metre and axis naming.
    void reset(std::int32_t meterKind, int nameBase);
    // Takes in what the recorder holds since the last call. If the reader fell
    // more than the ring's capacity behind, the oldest events are lost.
    void catchUp(const LiveRollRecorder& recorder);
    // Passes over what the recorder holds now (what came before a performance).
    void skipTo(const LiveRollRecorder& recorder) { read_ = recorder.written(); }

    // The notes up to the last catchUp; sounding notes reach the current step.
    const RollModel& model() const { return builder_.current(); }
    // The step sounding now (tick 1 is step 0).
    std::int32_t currentStep() const { return currentStep_; }

private:
    void apply(const LiveRollEvent& event);

    RollBuilder builder_{4, 60};
    std::int32_t meterKind_ = 4;
    int nameBase_ = 60;
    std::uint64_t read_ = 0;
    std::int32_t currentStep_ = 0;
};

}  // namespace velmora
