#pragma once

#include <array>

#include "options/performance_options.h"

namespace velmora {

// What the chosen letter table can play, asked without drawing from the
// performance's random generator (the two tables that choose at random sound
// for the same bytes whichever note they choose).

// For each byte of a text as typed: whether it sounds a note once upper-cased.
std::array<bool, 256> soundingBytes(const PerformanceOptions& options);

// The pitch classes the table's notes take, with the key shift.
std::array<bool, 12> patternPitchClasses(const PerformanceOptions& options);

}  // namespace velmora
