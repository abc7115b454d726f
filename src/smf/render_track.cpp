#include "smf/render_track.h"

#include "engine/chord_rules.h"
#include "engine/range_fitting.h"
#include "engine/step_rules.h"
#include "mapping/letter_tables.h"

namespace velmora {

namespace {

class FileChordSink final : public ChordSink {
public:
    FileChordSink(SmfWriter& writer, const PerformanceOptions& options, PerformanceState& state)
        : writer_(writer), options_(options), state_(state) {}

    void addNote(std::uint8_t note, std::uint8_t velocity) override {
        addUnfittedNote(fitBackingRange(options_, note), velocity);
    }
    void addUnfittedNote(std::uint8_t note, std::uint8_t velocity) override {
        writer_.WriteDelta(SmfTrack::Chord);
        writer_.WriteNoteOn(note, velocity, kFileChordChannel);
        state_.chordNotes.push_back(note);
    }

private:
    SmfWriter& writer_;
    const PerformanceOptions& options_;
    PerformanceState& state_;
};

// One pass over the whole text by the tick's rules, writing instead of sounding.
class TrackRenderer {
public:
    TrackRenderer(SmfWriter& writer, int pass, RenderContext& context)
        : writer_(writer),
          melodyPass_(pass == 0),
          options_(context.options),
          state_(context.state),
          melodyRecord_(context.melodyRecord),
          rng_(context.rng) {}

    void run();

private:
    bool atEndOfText() const {
        const auto last = static_cast<std::int32_t>(state_.playLines.size()) - 1;
        return state_.lineIndex >= last && state_.charPos > lineLength(last);
    }
    std::int32_t lineLength(std::int32_t index) const {
        return static_cast<std::int32_t>(state_.playLines[static_cast<std::size_t>(index)].size());
    }
    void finish();
    void noteStep(std::uint8_t tableNote);
    // True when the rest takes a step.
    bool restStep(std::uint8_t character);
    void releaseMelody();

    SmfWriter& writer_;
    const bool melodyPass_;
    const PerformanceOptions& options_;
    PerformanceState& state_;
    std::vector<std::uint8_t>& melodyRecord_;
    RandomSource& rng_;
};

void TrackRenderer::run() {
    if (state_.playLines.empty()) return;
    for (;;) {
        ++state_.charPos;
        ++state_.memoPos;
        state_.accentCut = 0;
        if (atEndOfText()) {
            finish();
            return;
        }
        if (state_.charPos > lineLength(state_.lineIndex)) {
            ++state_.lineIndex;
            state_.lineSounded = false;
            state_.charPos = 1;
            state_.memoPos = state_.lineStarts[static_cast<std::size_t>(state_.lineIndex)];
        }
        if (lineLength(state_.lineIndex) == 0) continue;
        const auto& line = state_.playLines[static_cast<std::size_t>(state_.lineIndex)];
        const auto character = static_cast<std::uint8_t>(line[static_cast<std::size_t>(state_.charPos - 1)]);
        const std::uint8_t note = letterPitch(options_.patern, character, options_.tonicMode(), rng_);
        if (note != 0) {
            noteStep(note);
            writer_.addStep();
        } else if (restStep(character)) {
            writer_.addStep();
        }
    }
}

void TrackRenderer::finish() {
    if (melodyPass_) {
        if (state_.lastMelodyNote != 0) {
            writer_.WriteDelta(SmfTrack::Melody);
            writer_.WriteNoteOff(state_.lastMelodyNote, kFileMelodyChannel);
        }
    } else {
        for (const std::uint8_t chordNote : state_.chordNotes) {
            writer_.WriteDelta(SmfTrack::Chord);
            writer_.WriteNoteOff(chordNote, kFileChordChannel);
        }
        state_.chordNotes.clear();
    }
    writer_.setAccumulators(0);
}

void TrackRenderer::noteStep(std::uint8_t tableNote) {
    ++state_.stepCount;
    std::uint8_t note;
    if (melodyPass_) {
        note = static_cast<std::uint8_t>(tableNote + options_.keyShift());
        melodyRecord_.push_back(note);
    } else {
        // The chords sit on exactly the notes the melody pass wrote, also where
        // a letter table chose between alternatives at random.
        const auto index = static_cast<std::size_t>(state_.stepCount - 1);
        note = index < melodyRecord_.size() ? melodyRecord_[index] : 0;
    }
    state_.lineSounded = true;
    const bool beat = gridBookkeeping(options_, state_);
    const std::uint8_t melody = options_.c2chan ? fitSoloRange(options_, note) : fitBackingRange(options_, note);
    if (melodyPass_) {
        if (state_.lastMelodyNote != 0) {
            writer_.WriteDelta(SmfTrack::Melody);
            writer_.WriteNoteOff(state_.lastMelodyNote, kFileMelodyChannel);
        }
        state_.lastMelodyNote = melody;
        writer_.WriteDelta(SmfTrack::Melody);
        writer_.WriteNoteOn(melody, static_cast<std::uint8_t>(options_.volsolo - state_.accentCut), kFileMelodyChannel);
        return;
    }
    for (const std::uint8_t chordNote : state_.chordNotes) {
        writer_.WriteDelta(SmfTrack::Chord);
        writer_.WriteNoteOff(chordNote, kFileChordChannel);
    }
    state_.chordNotes.clear();
    state_.lastMelodyNote = melody;
    if (!chordDue(options_, state_, beat)) return;
    FileChordSink sink(writer_, options_, state_);
    buildChord(note, options_, state_, rng_, ChordRules::File, sink);
}

void TrackRenderer::releaseMelody() {
    if (melodyPass_) {
        writer_.WriteDelta(SmfTrack::Melody);
        writer_.WriteNoteOff(state_.lastMelodyNote, kFileMelodyChannel);
    }
    state_.lastMelodyNote = 0;
}

bool TrackRenderer::restStep(std::uint8_t character) {
    if (marksWordStart(options_, character)) {
        state_.wordStart = true;
    } else if (character == kReleaseMark) {
        if (melodyPass_) releaseMelody();
    } else if (character == kWordMark) {
        state_.wordStart = true;
        return false;
    }
    if (restIsSkipped(options_, state_, [this] { releaseMelody(); })) return false;
    ++state_.stepCount;
    if (melodyPass_) melodyRecord_.push_back(0);
    return true;
}

}  // namespace

void RenderTrack(SmfWriter& writer, int pass, RenderContext& context) {
    TrackRenderer(writer, pass, context).run();
}

}  // namespace velmora
