#pragma once

#include <cstdint>
#include <string>

#include "midi/midi_backend.h"

namespace velmora {

// The performance's only path to sound: three-byte short messages with the
// channel added to the status byte. Data bytes go out as the callers give them,
// unmasked. A note-off is a note-on with velocity 0. Nothing is reported to the
// callers: a port that failed to open drops every message silently, and
// openError() tells the user interface once what went wrong.
class MidiOutPort {
public:
    explicit MidiOutPort(MidiBackend& backend) : backend_(&backend) {}

    // Opens the output and sets the device volume to the maximum. It sends no
    // message: omni off on channel 0 would leave every other channel deaf on a
    // synthesizer that honours channel modes (FluidSynth does), and the melody
    // plays on channel 1.
    void open();
    void close();
    void programChange(std::uint8_t program, std::uint8_t channel);
    void noteOn(std::uint8_t note, std::uint8_t velocity, std::uint8_t channel);
    void noteOff(std::uint8_t note, std::uint8_t channel);
    void allSoundOff(std::uint8_t channel);
    void allNotesOff(std::uint8_t channel);
    void setReverb(std::uint8_t depth, std::uint8_t channel);
    void centerPan(std::uint8_t channel);
    void setDeviceVolume(std::uint32_t volume);

    bool isOpen() const { return open_; }
    // Empty when the last open() succeeded.
    const std::string& openError() const { return openError_; }

    MidiBackend& backend() { return *backend_; }
    void setBackend(MidiBackend& backend);

private:
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

    MidiBackend* backend_;
    bool open_ = false;
    bool usable_ = false;
    std::string openError_;
};

}  // namespace velmora
