#include "midi/midi_out_port.h"

#include "midi/midi_bytes.h"

namespace velmora {

using namespace midi_bytes;

void MidiOutPort::open() {
    usable_ = backend_->open();
    open_ = true;
    openError_ = usable_ ? std::string() : backend_->lastError();
    setDeviceVolume(0xFFFFFFFFu);
}

void MidiOutPort::close() {
    if (open_) backend_->close();
    open_ = false;
    usable_ = false;
}

void MidiOutPort::setBackend(MidiBackend& backend) {
    close();
    backend_ = &backend;
}

void MidiOutPort::send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    // Messages after close(), or after a failed open(), are lost without a report.
    if (usable_) backend_->sendShortMessage(status, data1, data2);
}

void MidiOutPort::programChange(std::uint8_t program, std::uint8_t channel) {
    send(static_cast<std::uint8_t>(kProgramChange + channel), program, 0);
}

void MidiOutPort::noteOn(std::uint8_t note, std::uint8_t velocity, std::uint8_t channel) {
    send(static_cast<std::uint8_t>(kNoteOn + channel), note, velocity);
}

void MidiOutPort::noteOff(std::uint8_t note, std::uint8_t channel) {
    send(static_cast<std::uint8_t>(kNoteOn + channel), note, 0);
}

void MidiOutPort::allSoundOff(std::uint8_t channel) {
    send(static_cast<std::uint8_t>(kControlChange + channel), kAllSoundOff, 0);
}

void MidiOutPort::allNotesOff(std::uint8_t channel) {
    send(static_cast<std::uint8_t>(kControlChange + channel), kAllNotesOff, 0);
}

void MidiOutPort::setReverb(std::uint8_t depth, std::uint8_t channel) {
    send(static_cast<std::uint8_t>(kControlChange + channel), kReverbDepth, depth);
}

void MidiOutPort::centerPan(std::uint8_t channel) {
    send(static_cast<std::uint8_t>(kControlChange + channel), kPan, kPanCentre);
}

void MidiOutPort::setDeviceVolume(std::uint32_t volume) {
    if (usable_) backend_->setDeviceVolume(volume);
}

}  // namespace velmora
