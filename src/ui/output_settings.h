#pragma once

#include <memory>
#include <string>

#include "midi/midi_backend.h"

namespace velmora {

// Where the performance sounds, kept in the global settings file's [midi]
// section: the output name ("fluidsynth", "port:NAME", "capture:FILE", "none")
// and the soundfont of the built-in synthesizer (empty: the first General MIDI
// soundfont the system has).
struct OutputSettings {
    std::string output = "fluidsynth";
    std::string soundfont;

    bool operator==(const OutputSettings&) const = default;
};

// The [midi] keys of the ini file at `path`; defaults for a missing file or key.
OutputSettings readOutputSettings(const std::string& path);
// Writes the [midi] keys, keeping the rest of the file. Throws FileError with
// cannotWriteMessage(path).
void storeOutputSettings(const std::string& path, const OutputSettings& settings);

// The output the settings name, or why none could be made.
struct OutputChoice {
    std::unique_ptr<MidiBackend> backend;
    std::string error;
};
OutputChoice makeOutput(const OutputSettings& settings);

// Whether a dropped file is a soundfont rather than a text.
bool isSoundfontFile(const std::string& path);

}  // namespace velmora
