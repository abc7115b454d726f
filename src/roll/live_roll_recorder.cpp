#include "roll/live_roll_recorder.h"

#include "engine/live_channels.h"
#include "midi/midi_bytes.h"

namespace velmora {

namespace {

bool drawn(std::uint8_t status, std::uint8_t data1) {
    const std::uint8_t channel = status & 0x0F;
    if (channel != kLiveMelodyChannel && channel != kLiveBackingChannel) return false;
    const std::uint8_t kind = status & 0xF0;
    if (kind == midi_bytes::kNoteOn || kind == midi_bytes::kNoteOff) return true;
    return kind == midi_bytes::kControlChange &&
           (data1 == midi_bytes::kAllNotesOff || data1 == midi_bytes::kAllSoundOff);
}

}  // namespace

bool LiveRollRecorder::open() {
    outputFailed_ = !output_->open();
    outputOpenError_ = outputFailed_ ? output_->lastError() : std::string();
    return true;
}

void LiveRollRecorder::close() {
    output_->close();
    outputFailed_ = false;
}

void LiveRollRecorder::sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!outputFailed_) output_->sendShortMessage(status, data1, data2);
    if (drawn(status, data1)) record(status, data1, data2);
}

void LiveRollRecorder::beginTick(std::uint64_t tick) {
    output_->beginTick(tick);
    tick_ = tick;
    if (tick == 0) record(0, 0, 0);
}

void LiveRollRecorder::record(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    std::int32_t offset = -1;
    if (state_ != nullptr) {
        const auto line = static_cast<std::size_t>(state_->lineIndex);
        if (line < state_->lineStarts.size() && state_->charPos > 0) {
            offset = state_->lineStarts[line] + state_->charPos - 1;
        }
    }
    ring_[written_ % kCapacity] = {tick_, status, data1, data2, offset};
    ++written_;
}

}  // namespace velmora
