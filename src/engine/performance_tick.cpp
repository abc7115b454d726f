#include "engine/performance_tick.h"

#include <cstdio>
#include <functional>

#include "engine/chord_rules.h"
#include "engine/live_channels.h"
#include "engine/range_fitting.h"

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
        port_.noteOn(note, velocity, kLiveBackingChannel);
        state_.chordNotes.push_back(note);
    }

private:
    const PerformanceOptions& options_;
    PerformanceState& state_;
    MidiOutPort& port_;
};

// The pre-scan counts steps and keeps the grid; it sounds nothing, builds no
// chord and passes over "^". The rest rules' releases reach a port that is not
// open yet, so they sound nothing either.
class PrescanSteps final : public WalkSteps {
public:
    explicit PrescanSteps(std::function<void()> releaseMelody) : releaseMelody_(std::move(releaseMelody)) {}
    void note(std::uint8_t, bool) override {}
    void releaseMelody() override { releaseMelody_(); }
    void releaseMark() override {}

private:
    std::function<void()> releaseMelody_;
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

bool PerformanceTick::advance() {
    if (TextWalk(options_, state_, rng_, *this).next() == WalkStop::EndOfText) {
        control_.stopTickTimer();
        control_.finishPerformance();
        return false;
    }
    showPosition();
    return true;
}

void PerformanceTick::note(std::uint8_t tableNote, bool beat) {
    const std::uint8_t note = options_.shiftedNote(tableNote);
    release();
    const std::uint8_t melody = fitMelodyRange(options_, note);
    state_.lastMelodyNote = melody;
    port_.noteOn(melody, options_.accentedMelodyVelocity(state_.accentCut), kLiveMelodyChannel);
    if (!chordDue(options_, state_, beat)) return;
    LiveChordSink sink(options_, state_, port_);
    buildChord(note, options_, state_, rng_, ChordRules::Live, sink);
}

void PerformanceTick::release() {
    if (state_.panicRequest) {
        port_.allNotesOff(kLiveBackingChannel);
        port_.allNotesOff(kLiveMelodyChannel);
        state_.panicRequest = false;
        state_.chordNotes.clear();
        return;
    }
    if (state_.lastMelodyNote != 0) port_.noteOff(state_.lastMelodyNote, kLiveMelodyChannel);
    for (const std::uint8_t chordNote : state_.chordNotes) port_.noteOff(chordNote, kLiveBackingChannel);
    state_.chordNotes.clear();
}

void PerformanceTick::releaseMelody() {
    port_.noteOff(state_.lastMelodyNote, kLiveMelodyChannel);
    state_.lastMelodyNote = 0;
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
    PrescanSteps steps([this] { releaseMelody(); });
    TextWalk walk(options_, state_, rng_, steps);
    while (walk.next(target) == WalkStop::Step) {
    }
}

}  // namespace velmora
