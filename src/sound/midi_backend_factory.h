#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/midi_backend.h"

namespace velmora {

inline constexpr const char* kDefaultOutputSpec = "fluidsynth";

// A backend made from an output spec, or the reason none could be made.
struct MidiBackendChoice {
    std::unique_ptr<MidiBackend> backend;
    std::string error;  // empty when backend is set
};

// Makes the output an output spec names: "fluidsynth" (also the empty spec),
// "port:NAME", "capture:FILE" or "none". `soundfont` is the configured
// soundfont for the synthesizer, empty for the default one. Making a backend
// never touches a device; open() does.
MidiBackendChoice createMidiBackend(const std::string& spec, const std::string& soundfont);

// One line per output the user can choose: the spec, then what it is.
struct MidiOutputEntry {
    std::string spec;
    std::string description;
};

// The fixed outputs, then every MIDI port found now (for --list-outputs).
std::vector<MidiOutputEntry> listMidiOutputs();

}  // namespace velmora
