#pragma once

#include <cstdint>

#include "options/note_range.h"
#include "options/performance_options.h"

namespace velmora {

// Lowers a note above 104 once, then walks it down an octave at a time below the
// high limit, then up above the low limit (the two loops do not alternate, so
// limits closer than an octave can leave it above the high limit), then raises
// it by at most two octaves to 30 or more. All arithmetic is 8-bit.
std::uint8_t fitRange(std::uint8_t note, const NoteRange& range);

// The range of the instrument that plays the melody: the solo instrument's on
// two channels, else the backing instrument's.
const NoteRange& melodyRange(const PerformanceOptions& options);

// A chord note, fitted to the backing instrument's range.
std::uint8_t fitBackingRange(const PerformanceOptions& options, std::uint8_t note);
// A melody note, fitted to the melody's range.
std::uint8_t fitMelodyRange(const PerformanceOptions& options, std::uint8_t note);
// A note moved by at most one octave step at each of the backing limits, with
// no other fitting (the live third of pattern 5).
std::uint8_t stepIntoBackingRange(const PerformanceOptions& options, std::uint8_t note);

}  // namespace velmora
