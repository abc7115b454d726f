#include "engine/key_sounder.h"

#include "engine/live_channels.h"
#include "engine/range_fitting.h"

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
    const auto reverb = static_cast<std::uint8_t>(options_.reverbDepth(true));
    if (program != program_) port_.programChange(program, kLiveMelodyChannel);
    if (reverb != reverb_) port_.setReverb(reverb, kLiveMelodyChannel);
    program_ = program;
    reverb_ = reverb;
}

std::uint8_t KeySounder::keyTyped(std::uint8_t character) {
    const std::uint8_t table = options_.tableNote(upperCase(character), rng_);
    if (table == 0) return 0;
    openPort();
    port_.backend().beginUntimed();
    takeInstrument();
    const std::uint8_t melody = fitMelodyRange(options_, options_.shiftedNote(table));
    if (soundingNote_ != 0) port_.noteOff(soundingNote_, kLiveMelodyChannel);
    port_.noteOn(melody, options_.accentedMelodyVelocity(0), kLiveMelodyChannel);
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
