#include "engine/text_walk.h"

#include "engine/step_rules.h"

namespace velmora {

std::int32_t TextWalk::lineLength(std::int32_t index) const {
    return static_cast<std::int32_t>(state_.playLines[static_cast<std::size_t>(index)].size());
}

bool TextWalk::atEndOfText() const {
    const auto last = static_cast<std::int32_t>(state_.playLines.size()) - 1;
    return state_.lineIndex >= last && state_.charPos > lineLength(last);
}

std::uint8_t TextWalk::currentCharacter() const {
    const auto& line = state_.playLines[static_cast<std::size_t>(state_.lineIndex)];
    return static_cast<std::uint8_t>(line[static_cast<std::size_t>(state_.charPos - 1)]);
}

WalkStop TextWalk::next(std::int32_t stopLine) {
    if (state_.playLines.empty()) return WalkStop::EndOfText;
    for (;;) {
        ++state_.charPos;
        ++state_.memoPos;
        state_.accentCut = 0;
        if (atEndOfText()) return WalkStop::EndOfText;
        if (state_.charPos > lineLength(state_.lineIndex)) {
            if (state_.lineIndex == stopLine - 1) {
                --state_.charPos;
                --state_.memoPos;
                return WalkStop::LineReached;
            }
            ++state_.lineIndex;
            state_.lineSounded = false;
            state_.charPos = 1;
            state_.memoPos = state_.lineStarts[static_cast<std::size_t>(state_.lineIndex)];
        }
        if (lineLength(state_.lineIndex) == 0) continue;
        const std::uint8_t character = currentCharacter();
        const std::uint8_t note = options_.tableNote(character, rng_);
        if (note != 0) {
            ++state_.stepCount;
            state_.lineSounded = true;
            steps_.note(note, gridBookkeeping(options_, state_));
            return WalkStop::Step;
        }
        if (restStep(character)) return WalkStop::Step;
    }
}

bool TextWalk::restStep(std::uint8_t character) {
    if (marksWordStart(options_, character)) {
        state_.wordStart = true;
    } else if (character == kReleaseMark) {
        steps_.releaseMark();
    } else if (character == kWordMark) {
        // "*" never takes time and is never tested against the grid.
        state_.wordStart = true;
        return false;
    }
    if (restIsSkipped(options_, state_, [this] { steps_.releaseMelody(); })) return false;
    ++state_.stepCount;
    steps_.rest();
    return true;
}

}  // namespace velmora
