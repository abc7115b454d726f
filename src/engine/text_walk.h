#pragma once

#include <cstdint>

#include "engine/performance_state.h"
#include "mapping/random_source.h"
#include "options/performance_options.h"

namespace velmora {

// What a walk does with the steps it finds. The live tick sounds them, the
// LinePlay pre-scan only counts them, the file renderer writes them.
class WalkSteps {
public:
    virtual ~WalkSteps() = default;
    // A note took a step: the step is counted and the grid bookkeeping done;
    // `beat` says whether it fell on a grid beat.
    virtual void note(std::uint8_t tableNote, bool beat) = 0;
    // A rest took a step (counted).
    virtual void rest() {}
    // The rest rules release the melody (a phrase end, an empty line's end).
    virtual void releaseMelody() = 0;
    // A "^" in the text; the pre-scan and the file's chord pass pass over it.
    virtual void releaseMark() { releaseMelody(); }
};

// Where a walk stopped.
enum class WalkStop {
    Step,         // a character took a step
    EndOfText,    // past the last character
    LineReached,  // at the end of the line before the one asked for
};

// The walk over the upper-cased text shared by the live tick, the pre-scan and
// the file renderer: it moves through the working state character by character,
// turning each into a note through the letter tables or into a rest by the step
// rules, until one takes a step.
class TextWalk {
public:
    TextWalk(const PerformanceOptions& options, PerformanceState& state, RandomSource& rng, WalkSteps& steps)
        : options_(options), state_(state), rng_(rng), steps_(steps) {}

    // Walks to the next step. With a stop line, the walk ends instead at the end
    // of the line before it, where the next character would be its first.
    WalkStop next(std::int32_t stopLine = -1);

private:
    std::int32_t lineLength(std::int32_t index) const;
    bool atEndOfText() const;
    std::uint8_t currentCharacter() const;
    // True when the rest took a step.
    bool restStep(std::uint8_t character);

    const PerformanceOptions& options_;
    PerformanceState& state_;
    RandomSource& rng_;
    WalkSteps& steps_;
};

}  // namespace velmora
