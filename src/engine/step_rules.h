#pragma once

#include <cstdint>
#include <functional>

#include "engine/performance_state.h"
#include "options/performance_options.h"

namespace velmora {

// The rules that live playback, the LinePlay pre-scan and the file renderer share.
// "mod" is C++'s %, whose remainder keeps the sign of the dividend.

// Grid bookkeeping of a note whose step is already counted in stepCount: sets the
// grid origin on the first note, otherwise updates offbeatRun and accentCut.
// Returns the beat flag.
bool gridBookkeeping(const PerformanceOptions& options, PerformanceState& state);

// A space or tab, or with "more" on any code from 'A' (65) to 'z' (122).
bool marksWordStart(const PerformanceOptions& options, std::uint8_t character);

// Whether a rest takes no time. Its melody releases (the phrase-end and
// empty-line rules) go through releaseMelody, which the caller turns into a
// note-off of lastMelodyNote and clears it, even when it is 0.
bool restIsSkipped(const PerformanceOptions& options, PerformanceState& state,
                   const std::function<void()>& releaseMelody);

// Character codes with a meaning of their own.
constexpr std::uint8_t kSpace = 32;
constexpr std::uint8_t kTab = 9;
constexpr std::uint8_t kReleaseMark = '^';
constexpr std::uint8_t kWordMark = '*';

}  // namespace velmora
