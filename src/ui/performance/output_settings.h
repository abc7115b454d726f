#pragma once

#include <QString>
#include <memory>
#include <string>

#include "documents/settings.h"
#include "midi/midi_backend.h"

namespace velmora {

// The output the settings name, or why none could be made.
struct OutputChoice {
    std::unique_ptr<MidiBackend> backend;
    std::string error;
};
OutputChoice makeOutput(const OutputSettings& settings);

// Whether a dropped file is a soundfont rather than a text.
bool isSoundfontFile(const std::string& path);
// Whether the file at `path` holds a soundfont: a RIFF file of the "sfbk" form.
bool isSoundfontData(const QString& path);

}  // namespace velmora
