#include "ui/performance/output_test_sound.h"

#include <array>

#include "engine/live_channels.h"

namespace velmora {

namespace {

struct ScaleNote {
    std::uint8_t channel;
    std::uint8_t note;
};
constexpr std::array<ScaleNote, 8> kScale{{{kLiveBackingChannel, 60},
                                           {kLiveBackingChannel, 62},
                                           {kLiveBackingChannel, 64},
                                           {kLiveBackingChannel, 65},
                                           {kLiveMelodyChannel, 67},
                                           {kLiveMelodyChannel, 69},
                                           {kLiveMelodyChannel, 71},
                                           {kLiveMelodyChannel, 72}}};
constexpr std::uint8_t kVelocity = 110;

}  // namespace

OutputTestSound::OutputTestSound(MidiOutPort& port, QObject* parent) : QObject(parent), port_(port) {
    timer_.setInterval(kStepMs);
    connect(&timer_, &QTimer::timeout, this, &OutputTestSound::step);
}

OutputTestSound::~OutputTestSound() { stop(); }

void OutputTestSound::start(std::uint8_t backingProgram, std::uint8_t melodyProgram) {
    stop();
    port_.Open();
    opened_ = true;
    port_.backend().beginUntimed();  // each note sounds as it is sent
    for (const std::uint8_t channel : {kLiveBackingChannel, kLiveMelodyChannel}) {
        port_.ProgramChange(channel == kLiveBackingChannel ? backingProgram : melodyProgram, channel);
        port_.CenterPan(channel);
    }
    next_ = 0;
    step();
    timer_.start();
}

void OutputTestSound::step() {
    port_.backend().beginUntimed();
    if (next_ > 0) port_.NoteOff(kScale[next_ - 1].note, kScale[next_ - 1].channel);
    if (next_ == kScale.size()) {
        stop();
        return;
    }
    port_.NoteOn(kScale[next_].note, kVelocity, kScale[next_].channel);
    ++next_;
}

void OutputTestSound::stop() {
    timer_.stop();
    if (!opened_) return;
    port_.backend().beginUntimed();
    for (const std::uint8_t channel : {kLiveBackingChannel, kLiveMelodyChannel}) port_.AllNotesOff(channel);
    port_.Close();
    opened_ = false;
}

}  // namespace velmora
