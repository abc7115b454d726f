#pragma once

#include <cstdint>

#include "mapping/random_source.h"
#include "mapping/scale_pattern.h"
#include "mapping/tonic_mode.h"

namespace velmora {

// Letter table `pattern` (0..11) for one byte of the upper-cased text: a MIDI note
// number, or 0 when the table does not list the byte. Tables 10 and 11 draw one
// number from `rng` on every call, listed byte or not; the others never draw.
// (10 is the more natural sound, 11 the Spanish scale.)
// A pattern outside 0..11 (no pattern selected) gives 0 and draws nothing.
std::uint8_t letterPitch(int pattern, std::uint8_t character, TonicMode mode, RandomSource& rng);

}  // namespace velmora
