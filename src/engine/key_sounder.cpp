#include "engine/key_sounder.h"

#include "engine/live_channels.h"
#include "engine/range_fitting.h"
#include "mapping/letter_tables.h"

namespace velmora {

namespace {

std::uint8_t upperCase(std::uint8_t character) {
    return character >= 'a' && character <= 'z' ? static_cast<std::uint8_t>(character - 'a' + 'A') : character;
}

}  // namespace

void KeySounder::openPort() {
    if (openedPort_) return;
    port_.open();
    openedPort_ = true;
    port_.backend().beginUntimed();
    port_.centerPan(kLiveMelodyChannel);
}

void KeySounder::takeInstrument() {
    // The instrument and reverb may change between two keys.
    const std::uint8_t program = options_.melodyProgram();
    const auto reverb = static_cast<std::uint8_t>(options_.reverbSolo);
    if (program != program_) port_.programChange(program, kLiveMelodyChannel);
    if (reverb != reverb_) port_.setReverb(reverb, kLiveMelodyChannel);
    program_ = program;
    reverb_ = reverb;
}

std::uint8_t KeySounder::keyTyped(std::uint8_t character) {
    const std::uint8_t table = letterPitch(options_.patern, upperCase(character), options_.tonicMode(), rng_);
    if (table == 0) return 0;
    openPort();
    port_.backend().beginUntimed();
    takeInstrument();
    const auto note = static_cast<std::uint8_t>(table + options_.keyShift());
    const std::uint8_t melody = options_.c2chan ? fitSoloRange(options_, note) : fitBackingRange(options_, note);
    if (soundingNote_ != 0) port_.noteOff(soundingNote_, kLiveMelodyChannel);
    port_.noteOn(melody, static_cast<std::uint8_t>(options_.volsolo), kLiveMelodyChannel);
    soundingNote_ = melody;
    return melody;
}

void KeySounder::release() {
    if (soundingNote_ == 0 || !openedPort_) return;
    port_.backend().beginUntimed();
    port_.noteOff(soundingNote_, kLiveMelodyChannel);
    soundingNote_ = 0;
}

void KeySounder::stop() {
    release();
    if (openedPort_) port_.close();
    openedPort_ = false;
    program_ = kNoValue;
    reverb_ = kNoValue;
}

}  // namespace velmora
