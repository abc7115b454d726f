#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/performance_state.h"
#include "midi/midi_backend.h"

namespace velmora {

// A live message worth drawing, with the tick it was sent in and the engine
// offset of the character the performance stood on.
struct LiveRollEvent {
    std::uint64_t tick = 0;
    std::uint8_t status = 0;  // 0: a performance started (tick numbering begins again)
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::int32_t memoOffset = -1;
};

// Sits between the output port and the real output: passes every call on and
// keeps the note messages in a fixed ring that the roll reads on its own
// timer. It counts as open also when the output could not be opened (no sound
// device), so that the roll still draws the performance; that output then gets
// no messages, as behind a port whose open failed, and its failure is kept for
// the window to report. Recording costs a few stores per message and never allocates, so the
// tick does not pay for the roll. Runs on the performance's thread, as the
// port's calls do; the roll reads on the same thread.
class LiveRollRecorder final : public MidiBackend {
public:
    static constexpr std::size_t kCapacity = 8192;  // far more than a frame's worth of messages

    // `state`, when given, is where the performance stands: it names the character of each note.
    explicit LiveRollRecorder(MidiBackend& output, const PerformanceState* state = nullptr)
        : output_(&output), state_(state) {}

    void setOutput(MidiBackend& output) { output_ = &output; }
    void watch(const PerformanceState& state) { state_ = &state; }
    MidiBackend& output() { return *output_; }

    bool open() override;
    void close() override;
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void setDeviceVolume(std::uint32_t volume) override {
        if (!outputFailed_) output_->setDeviceVolume(volume);
    }
    void beginTick(std::uint64_t tick) override;
    void setTickDueTime(std::int64_t dueNs) override { output_->setTickDueTime(dueNs); }
    void beginUntimed() override { output_->beginUntimed(); }
    std::string lastError() const override { return output_->lastError(); }
    std::optional<OutputWarning> takeWarning() override { return output_->takeWarning(); }
    std::string outputDescription() const override { return output_->outputDescription(); }

    // Why the output did not open at the last open; empty when it did.
    const std::string& outputOpenError() const { return outputOpenError_; }

    // The count of events recorded so far; event n lives while n + kCapacity > written().
    std::uint64_t written() const { return written_; }
    const LiveRollEvent& event(std::uint64_t index) const { return ring_[index % kCapacity]; }
    std::uint64_t currentTick() const { return tick_; }

private:
    void record(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

    MidiBackend* output_;
    const PerformanceState* state_;
    bool outputFailed_ = false;  // the last open of the output failed
    std::string outputOpenError_;
    std::array<LiveRollEvent, kCapacity> ring_{};
    std::uint64_t written_ = 0;
    std::uint64_t tick_ = 0;
};

}  // namespace velmora
