#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "midi/midi_backend.h"

class RtMidiOut;

namespace velmora {

// One MIDI output port another program or a device offers, as RtMidi lists it.
struct MidiPortInfo {
    std::string name;
    std::string api;  // "ALSA" or "JACK"
};

// Every output port of the ALSA sequencer and of a running JACK server.
// Never throws and never starts a JACK server.
std::vector<MidiPortInfo> listMidiPorts();

// An external MIDI output (a hardware port, a software synthesizer) through
// RtMidi: the first port whose name contains the given text, on the ALSA
// sequencer or else on JACK. Messages go out at once. A message the system
// refuses, or the port going away (a synthesizer unplugged or ended), is told
// once by takeWarning().
class PortBackend final : public MidiBackend {
public:
    explicit PortBackend(std::string nameFragment);
    ~PortBackend() override;

    bool open() override;
    void close() override;
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    std::string lastError() const override { return error_; }
    std::optional<OutputWarning> takeWarning() override;
    std::string outputDescription() const override { return portName_; }

private:
    bool portVanished();

    std::string nameFragment_;
    std::string rtMidiMessage_;  // RtMidi's last warning; declared before out_, which points at it
    std::unique_ptr<RtMidiOut> out_;
    std::string portName_;  // the full name of the connected port; empty while closed
    std::string error_;
    std::string sendFailure_;  // why messages are lost; empty while they go out
    bool failureTold_ = false;
    std::chrono::steady_clock::time_point lastLookedFor_{};
};

}  // namespace velmora
