#include "engine/performance_tick.h"

#include <cstdio>

#include "engine/chord_rules.h"
#include "engine/live_channels.h"
#include "engine/range_fitting.h"
#include "engine/step_rules.h"
#include "mapping/letter_tables.h"

namespace velmora {

namespace {

// Chord notes go to the backing channel and are remembered for their release.
class LiveChordSink final : public ChordSink {
public:
    LiveChordSink(const PerformanceOptions& options, PerformanceState& state, MidiOutPort& port)
        : options_(options), state_(state), port_(port) {}

    void addNote(std::uint8_t note, std::uint8_t velocity) override {
        addUnfittedNote(fitBackingRange(options_, note), velocity);
    }
    void addUnfittedNote(std::uint8_t note, std::uint8_t velocity) override {
        port_.NoteOn(note, velocity, kLiveBackingChannel);
        state_.chordNotes.push_back(note);
    }

private:
    const PerformanceOptions& options_;
    PerformanceState& state_;
    MidiOutPort& port_;
};

}  // namespace

std::string formatMinutesSeconds(std::uint64_t totalSeconds) {
    const std::uint64_t minutes = totalSeconds / 60;
    const std::uint64_t seconds = totalSeconds - 60 * minutes;
    char text[48];
    std::snprintf(text, sizeof text, "%02llu : %02llu", static_cast<unsigned long long>(minutes),
                  static_cast<unsigned long long>(seconds));
    return text;
}

bool PerformanceTick::atEndOfText() const {
    const auto last = static_cast<std::int32_t>(state_.playLines.size()) - 1;
    return state_.lineIndex >= last &&
           state_.charPos > static_cast<std::int32_t>(state_.playLines[static_cast<std::size_t>(last)].size());
}

void PerformanceTick::advanceLineIfNeeded() {
    const auto& line = state_.playLines[static_cast<std::size_t>(state_.lineIndex)];
    if (state_.charPos <= static_cast<std::int32_t>(line.size())) return;
    ++state_.lineIndex;
    state_.lineSounded = false;
    state_.charPos = 1;
    state_.memoPos = state_.lineStarts[static_cast<std::size_t>(state_.lineIndex)];
}

std::uint8_t PerformanceTick::currentCharacter() const {
    const auto& line = state_.playLines[static_cast<std::size_t>(state_.lineIndex)];
    return static_cast<std::uint8_t>(line[static_cast<std::size_t>(state_.charPos - 1)]);
}

bool PerformanceTick::advance() {
    if (state_.playLines.empty()) {
        control_.stopTickTimer();
        control_.finishPerformance();
        return false;
    }
    bool beat = false;
    for (;;) {
        ++state_.charPos;
        ++state_.memoPos;
        state_.accentCut = 0;
        if (atEndOfText()) {
            control_.stopTickTimer();
            control_.finishPerformance();
            return false;
        }
        advanceLineIfNeeded();
        if (state_.playLines[static_cast<std::size_t>(state_.lineIndex)].empty()) continue;
        const std::uint8_t character = currentCharacter();
        const std::uint8_t note = letterPitch(options_.patern, character, options_.tonicMode(), rng_);
        if (note != 0) {
            playNote(note, beat);
            break;
        }
        if (takeRest(character)) break;
    }
    showPosition();
    return true;
}

void PerformanceTick::playNote(std::uint8_t tableNote, bool& beat) {
    const auto note = static_cast<std::uint8_t>(tableNote + options_.keyShift());
    ++state_.stepCount;
    state_.lineSounded = true;
    beat = gridBookkeeping(options_, state_);
    release();
    const std::uint8_t melody = options_.c2chan ? fitSoloRange(options_, note) : fitBackingRange(options_, note);
    state_.lastMelodyNote = melody;
    port_.NoteOn(melody, static_cast<std::uint8_t>(options_.volsolo - state_.accentCut), kLiveMelodyChannel);
    if (!chordDue(options_, state_, beat)) return;
    LiveChordSink sink(options_, state_, port_);
    buildChord(note, options_, state_, rng_, ChordRules::Live, sink);
}

void PerformanceTick::release() {
    if (state_.panicRequest) {
        port_.AllNotesOff(kLiveBackingChannel);
        port_.AllNotesOff(kLiveMelodyChannel);
        state_.panicRequest = false;
        state_.chordNotes.clear();
        return;
    }
    if (state_.lastMelodyNote != 0) port_.NoteOff(state_.lastMelodyNote, kLiveMelodyChannel);
    for (const std::uint8_t chordNote : state_.chordNotes) port_.NoteOff(chordNote, kLiveBackingChannel);
    state_.chordNotes.clear();
}

void PerformanceTick::releaseMelody() {
    port_.NoteOff(state_.lastMelodyNote, kLiveMelodyChannel);
    state_.lastMelodyNote = 0;
}

bool PerformanceTick::takeRest(std::uint8_t character) {
    if (marksWordStart(options_, character)) {
        state_.wordStart = true;
    } else if (character == kReleaseMark) {
        releaseMelody();
    } else if (character == kWordMark) {
        // "*" never takes time and is never tested against the grid.
        state_.wordStart = true;
        return false;
    }
    if (restIsSkipped(options_, state_, [this] { releaseMelody(); })) return false;
    ++state_.stepCount;
    return true;
}

void PerformanceTick::showPosition() {
    if (view_ == nullptr) return;
    const std::int32_t lineStart = state_.lineStarts[static_cast<std::size_t>(state_.lineIndex)];
    view_->highlightCharacter(state_.memoPos, lineStart + state_.charPos - 1);
    if (state_.lineIndex > state_.visibleLines - 3 && state_.charPos == 1) view_->scrollDownOneLine();
    const std::int64_t elapsedMs = static_cast<std::int64_t>(options_.timerInterval()) * state_.memoPos;
    view_->showElapsed(formatMinutesSeconds(static_cast<std::uint64_t>(elapsedMs < 0 ? 0 : elapsedMs / 1000)));
}

void PerformanceTick::prescanToLine(std::int32_t target) {
    if (target <= 0) return;
    const auto lineCount = static_cast<std::int32_t>(state_.playLines.size());
    if (target >= lineCount) target = lineCount - 1;
    if (target <= 0) return;
    for (;;) {
        ++state_.charPos;
        ++state_.memoPos;
        const auto lineLength = [this] {
            return static_cast<std::int32_t>(state_.playLines[static_cast<std::size_t>(state_.lineIndex)].size());
        };
        if (state_.lineIndex == target - 1 && state_.charPos > lineLength()) {
            --state_.charPos;
            --state_.memoPos;
            return;
        }
        if (state_.charPos > lineLength()) {
            ++state_.lineIndex;
            state_.lineSounded = false;
            state_.charPos = 1;
            state_.memoPos = state_.lineStarts[static_cast<std::size_t>(state_.lineIndex)];
        }
        if (lineLength() == 0) continue;
        const std::uint8_t character = currentCharacter();
        if (letterPitch(options_.patern, character, options_.tonicMode(), rng_) != 0) {
            ++state_.stepCount;
            state_.lineSounded = true;
            prescanGridBookkeeping(options_, state_);
            continue;
        }
        if (marksWordStart(options_, character)) {
            state_.wordStart = true;
        } else if (character == kWordMark) {
            state_.wordStart = true;
            continue;
        }
        // The releases reach a port that is not open yet, so they sound nothing.
        if (!restIsSkipped(options_, state_, [this] { releaseMelody(); })) ++state_.stepCount;
    }
}

}  // namespace velmora
