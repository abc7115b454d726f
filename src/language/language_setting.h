#pragma once

#include <string>

#include "language/language_choice.h"

namespace velmora {

// The language choice kept in the global settings file's [ui] section; the
// automatic choice for a missing or unreadable file.
LanguageChoice readLanguageChoice(const std::string& path);
// Writes the [ui] language key, keeping the rest of the file. Throws FileError.
void storeLanguageChoice(const std::string& path, const LanguageChoice& choice);

}  // namespace velmora
