#include "roll/live_roll.h"

#include <algorithm>

#include "engine/live_channels.h"
#include "midi/midi_bytes.h"

namespace velmora {

namespace {

std::int32_t stepOfTick(std::uint64_t tick) { return tick == 0 ? 0 : static_cast<std::int32_t>(tick - 1); }

}  // namespace

void LiveRoll::reset(std::int32_t meterKind, int nameBase) {
    meterKind_ = meterKind;
    nameBase_ = nameBase;
    builder_ = RollBuilder(meterKind, nameBase);
    currentStep_ = 0;
}

void LiveRoll::catchUp(const LiveRollRecorder& recorder) {
    const std::uint64_t written = recorder.written();
    if (written - read_ > LiveRollRecorder::kCapacity) read_ = written - LiveRollRecorder::kCapacity;
    for (; read_ < written; ++read_) apply(recorder.event(read_));
    currentStep_ = std::max(currentStep_, stepOfTick(recorder.currentTick()));
    builder_.peek(currentStep_);
}

void LiveRoll::apply(const LiveRollEvent& event) {
    if (event.status == 0) {
        reset(meterKind_, nameBase_);
        return;
    }
    const std::int32_t step = stepOfTick(event.tick);
    const RollVoice voice = (event.status & 0x0F) == kLiveMelodyChannel ? RollVoice::Melody : RollVoice::Chord;
    const std::uint8_t kind = event.status & 0xF0;
    if (kind == midi_bytes::kControlChange) {
        builder_.allOff(voice, step);
    } else if (kind == midi_bytes::kNoteOn && event.data2 != 0) {
        builder_.noteOn(voice, step, event.data1, event.memoOffset);
    } else {
        builder_.noteOff(voice, step, event.data1);
    }
    currentStep_ = std::max(currentStep_, step);
}

}  // namespace velmora
