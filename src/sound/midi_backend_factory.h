#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/midi_backend.h"
#include "sound/audio_choice.h"

namespace velmora {

inline constexpr const char* kDefaultOutputName = "fluidsynth";

// A backend made from an output name, or the reason none could be made.
struct MidiBackendChoice {
    std::unique_ptr<MidiBackend> backend;
    std::string error;  // empty when backend is set
};

// Makes the output that `output` names: "fluidsynth" (also the empty name),
// "port:NAME", "capture:FILE" or "none". `soundfont` is the configured
// soundfont for the synthesizer, empty for the default one, and `audio` its
// sound server and buffer. Making a backend never touches a device; open() does.
MidiBackendChoice createMidiBackend(const std::string& output, const std::string& soundfont,
                                    AudioChoice audio = {});

// Whether an output can work, tried before a performance so that a named
// output that cannot is an error rather than silence. The synthesizer loads its
// soundfont (and keeps it); with `connect` every output is also opened and
// closed again (the port found, the capture file created, the audio stream
// started). Empty when it can work; else the reason, for the user.
std::string checkMidiOutput(MidiBackend& backend, bool connect);

// One line per output the user can choose: the name, then what it is.
struct MidiOutputEntry {
    std::string name;
    std::string description;
};

// The fixed outputs, then every MIDI port found now (for --list-outputs).
std::vector<MidiOutputEntry> listMidiOutputs();

}  // namespace velmora
