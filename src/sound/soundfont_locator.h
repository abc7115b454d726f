#pragma once

#include <string>
#include <vector>

namespace velmora {

// The General MIDI soundfonts Debian's packages install, in order of preference.
const std::vector<std::string>& defaultSoundfontPaths();

// The configured soundfont when one is given (whether or not it exists: loading
// it reports the error), else the first default that exists; empty when none does.
std::string locateSoundfont(const std::string& configured);

// What to tell the user when no soundfont could be found.
std::string missingSoundfontMessage();

// Why `path` cannot be a soundfont, for the user: it does not exist, is a
// folder, a device or another special file, cannot be read, or is not a
// SoundFont file ("RIFF" ... "sfbk"); empty when it may be one.
std::string soundfontFileProblem(const std::string& path);

}  // namespace velmora
