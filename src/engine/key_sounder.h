#pragma once

#include <cstdint>

#include "mapping/random_source.h"
#include "midi/midi_out_port.h"
#include "options/performance_options.h"

namespace velmora {

// Play as you type: each typed character sounds at once through the current
// pattern's letter table on the melody channel with the melody instrument,
// as the performance would play it (key shift, range limits, melody volume).
// A character the table does not list sounds nothing. Used only while no
// performance runs; the port is opened on the first key and handed back with
// stop() before a performance takes it.
class KeySounder {
public:
    KeySounder(const PerformanceOptions& options, MidiOutPort& port, RandomSource& rng)
        : options_(options), port_(port), rng_(rng) {}

    // One typed character (a code-page-932 byte; lower case is played as upper
    // case). Returns the note sounded, or 0 for a rest.
    std::uint8_t keyTyped(std::uint8_t character);
    // Ends the sounding note.
    void release();
    // Ends the note and closes the port if this sounder opened it.
    void stop();

    bool portOpened() const { return openedPort_; }
    std::uint8_t soundingNote() const { return soundingNote_; }

private:
    void openPort();
    void takeInstrument();

    static constexpr std::uint8_t kNoValue = 0xFF;  // not sent since the port opened

    const PerformanceOptions& options_;
    MidiOutPort& port_;
    RandomSource& rng_;
    bool openedPort_ = false;
    std::uint8_t soundingNote_ = 0;
    std::uint8_t program_ = kNoValue;
    std::uint8_t reverb_ = kNoValue;
};

}  // namespace velmora
