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
    port_.open();
    opened_ = true;
    port_.backend().beginUntimed();  // each note sounds as it is sent
    for (const std::uint8_t channel : {kLiveBackingChannel, kLiveMelodyChannel}) {
        port_.programChange(channel == kLiveBackingChannel ? backingProgram : melodyProgram, channel);
        port_.centerPan(channel);
    }
    next_ = 0;
    step();
    timer_.start();
}

void OutputTestSound::step() {
    port_.backend().beginUntimed();
    if (next_ > 0) port_.noteOff(kScale[next_ - 1].note, kScale[next_ - 1].channel);
    if (next_ == kScale.size()) {
        stop();
        return;
    }
    port_.noteOn(kScale[next_].note, kVelocity, kScale[next_].channel);
    ++next_;
}

void OutputTestSound::stop() {
    timer_.stop();
    if (!opened_) return;
    port_.backend().beginUntimed();
    for (const std::uint8_t channel : {kLiveBackingChannel, kLiveMelodyChannel}) port_.allNotesOff(channel);
    port_.close();
    opened_ = false;
}

}  // namespace velmora
