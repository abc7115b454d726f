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

}  // namespace velmora
