#pragma once

#include <cstdint>
#include <string>

#include "mapping/random_source.h"
#include "mapping/tonic_mode.h"

namespace velmora {

// Texts are UTF-8.

// The pattern's name for status panel 0, e.g. "ファニー"; empty outside 0..11.
std::string patternName(int pattern);

// Key base and name base of a pattern (60 for a pattern outside 0..11).
std::uint8_t keyBase(int pattern, TonicMode mode);
std::uint8_t nameBase(int pattern, TonicMode mode);

// Key base + keyShift as a byte.
std::uint8_t keyNote(int pattern, TonicMode mode, int keyShift);

// The key label's caption: the key name for 42 <= keyNote <= 77, else empty.
std::string keyName(std::uint8_t keyNote);

// The name of the note the character sounds, relative to the name base, or " "
// when it is unassigned. Letter tables 10 and 11 draw from rng as on every call.
std::string noteName(std::uint8_t character, int pattern, TonicMode mode, RandomSource& rng);

// The name of a pitch counted from `nameBase`, as noteName names a letter's
// note. For a sounding note (which carries the key shift) pass the name base
// plus the key shift.
std::string pitchName(int pitch, int nameBase);

}  // namespace velmora
