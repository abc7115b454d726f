#pragma once

#include <cstdint>

#include "engine/performance_state.h"
#include "mapping/random_source.h"
#include "options/performance_options.h"

namespace velmora {

// Live playback and the exported file build chords by nearly the same rules;
// the file keeps a few differences of its own in some patterns.
enum class ChordRules { Live, File };

// Where a chord's notes go.
class ChordSink {
public:
    virtual ~ChordSink() = default;
    // A chord note: fitted to the backing range, sounded with the velocity and
    // appended to chordNotes.
    virtual void addNote(std::uint8_t note, std::uint8_t velocity) = 0;
    // A note sounded and appended exactly as given (the live solo third of the ritsu scale).
    virtual void addUnfittedNote(std::uint8_t note, std::uint8_t velocity) = 0;
};

// Builds the chord on a melody note (letter-table note + key shift, before range
// fitting): clears wordStart, sounds the bass when chords are thick, corrects
// the root, draws the coin and applies the pattern's chord rule.
void buildChord(std::uint8_t melodyNote, const PerformanceOptions& options, PerformanceState& state,
                RandomSource& rng, ChordRules rules, ChordSink& sink);

// Whether a note gets a chord: the first character of its line, a word start
// with word chords on, or a grid beat.
inline bool chordDue(const PerformanceOptions& options, const PerformanceState& state, bool beat) {
    return state.charPos == 1 || (state.wordStart && options.chordsAtWordStarts) || beat;
}

}  // namespace velmora
