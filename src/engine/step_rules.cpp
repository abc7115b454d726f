#include "engine/step_rules.h"

namespace velmora {

namespace {

void updateOffbeatRun(PerformanceState& state, int r) {
    if (r % 2 != 0)
        ++state.offbeatRun;
    else
        state.offbeatRun = 0;
}

void setOrigin(const PerformanceOptions& options, PerformanceState& state) {
    // The grid origin is the memo offset of the first note, or 1 when the grid
    // counts from the very first character.
    state.gridOrigin = options.rhythmFromFirstCharacter ? 1 : state.memoPos;
}

}  // namespace

bool gridBookkeeping(const PerformanceOptions& options, PerformanceState& state) {
    if (state.gridOrigin == 0) {
        setOrigin(options, state);
        return false;
    }
    const std::int32_t d = state.stepCount - state.gridOrigin;
    const bool beat = options.grid.gridSteps > 0 && d % options.grid.gridSteps == 0;
    if (options.grid.meterKind == 3) {
        const int r = d % 6;
        updateOffbeatRun(state, r);
        if (r == 5)
            state.accentCut = 15;
        else if (r == 4)
            state.accentCut = 7;
    }
    if (options.grid.meterKind == 4) {
        const int r = d % 8;
        updateOffbeatRun(state, r);
        if (r == 7 || r == 3)
            state.accentCut = 15;
        else if (r == 6)
            state.accentCut = 7;
    }
    return beat;
}

bool marksWordStart(const PerformanceOptions& options, std::uint8_t character) {
    return character == kSpace || character == kTab ||
           (options.unassignedLettersStartWords && character >= 65 && character <= 122);
}

bool restIsSkipped(const PerformanceOptions& options, PerformanceState& state,
                   const std::function<void()>& releaseMelody) {
    if (state.gridOrigin <= 0 || options.grid.gridSteps <= 0) return false;
    const std::int32_t k = state.stepCount - state.gridOrigin + 1;  // the step this rest would take
    // Rhythm item 5 (4 beats in four) tests rests against a period of 8.
    const std::int32_t beatPeriod = options.rhythmItem == 5 ? 8 : options.grid.gridSteps;
    if (k % beatPeriod == 0 && options.skipRestsOnBeats) {
        state.wordStart = true;
        return true;
    }
    const int correction = options.rhythmCorrection;
    if (options.grid.meterKind == 3) {
        const int phrase = k % 24;
        if (phrase == 22 || phrase == 23) releaseMelody();
        const int r = k % 6;
        if (!state.lineSounded && r == 5) releaseMelody();
        if (correction > 0 && state.offbeatRun > 0) {
            return r == 0 || (r == 4 && correction == 2 && state.offbeatRun > 1) || (r == 4 && correction == 3);
        }
        return false;
    }
    if (options.grid.meterKind == 4) {
        const int phrase = k % 32;
        if (phrase == 30 || phrase == 31) releaseMelody();
        const int r = k % 8;
        if (!state.lineSounded && r == 7) releaseMelody();
        if (correction > 0 && state.offbeatRun > 0) {
            return r == 0 || ((r == 2 || r == 6) && state.offbeatRun > 2) ||
                   (r == 4 && correction == 2 && state.offbeatRun > 2);
        }
        return false;
    }
    return false;
}

}  // namespace velmora
