#include "smf/render_track.h"

#include "engine/chord_rules.h"
#include "engine/range_fitting.h"
#include "engine/text_walk.h"
#include "smf/text_characters.h"

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
        writer_.writeDelta(SmfTrack::Chord);
        writer_.writeNoteOn(note, velocity, kFileChordChannel);
        state_.chordNotes.push_back(note);
    }

private:
    SmfWriter& writer_;
    const PerformanceOptions& options_;
    PerformanceState& state_;
};

// One pass over the whole text by the tick's walk, writing instead of sounding.
class TrackRenderer final : private WalkSteps {
public:
    TrackRenderer(SmfWriter& writer, SmfTrack track, RenderContext& context)
        : writer_(writer),
          melodyPass_(track == SmfTrack::Melody),
          options_(context.options),
          state_(context.state),
          melodyRecord_(context.melodyRecord),
          rng_(context.rng),
          lyrics_(melodyPass_ && context.lyricLines != nullptr ? context.lyrics : MidiLyrics::Off),
          characters_(context.lyricLines != nullptr ? *context.lyricLines : state_.playLines) {}

    void run();

private:
    void note(std::uint8_t tableNote, bool beat) override;
    void rest() override;
    void releaseMelody() override;
    // The chord pass leaves "^" alone; only the rest rules' releases clear its melody note.
    void releaseMark() override {
        if (melodyPass_) releaseMelody();
    }
    void finish();
    void writeLyric();

    SmfWriter& writer_;
    const bool melodyPass_;
    const PerformanceOptions& options_;
    PerformanceState& state_;
    std::vector<std::uint8_t>& melodyRecord_;
    RandomSource& rng_;
    const MidiLyrics lyrics_;
    TextCharacters characters_;
    std::string utf8Lyric_;
};

void TrackRenderer::run() {
    if (state_.playLines.empty()) return;
    TextWalk walk(options_, state_, rng_, *this);
    while (walk.next() == WalkStop::Step) writer_.addStep();
    finish();
}

void TrackRenderer::finish() {
    if (melodyPass_) {
        if (state_.lastMelodyNote != 0) {
            writer_.writeDelta(SmfTrack::Melody);
            writer_.writeNoteOff(state_.lastMelodyNote, kFileMelodyChannel);
        }
    } else {
        for (const std::uint8_t chordNote : state_.chordNotes) {
            writer_.writeDelta(SmfTrack::Chord);
            writer_.writeNoteOff(chordNote, kFileChordChannel);
        }
        state_.chordNotes.clear();
    }
    writer_.setAccumulators(0);
}

void TrackRenderer::note(std::uint8_t tableNote, bool beat) {
    std::uint8_t note;
    if (melodyPass_) {
        note = options_.shiftedNote(tableNote);
        melodyRecord_.push_back(note);
    } else {
        // The chords sit on exactly the notes the melody pass wrote, also where
        // a letter table chose between alternatives at random.
        const auto index = static_cast<std::size_t>(state_.stepCount - 1);
        note = index < melodyRecord_.size() ? melodyRecord_[index] : 0;
    }
    const std::uint8_t melody = fitMelodyRange(options_, note);
    if (melodyPass_) {
        if (state_.lastMelodyNote != 0) {
            writer_.writeDelta(SmfTrack::Melody);
            writer_.writeNoteOff(state_.lastMelodyNote, kFileMelodyChannel);
        }
        state_.lastMelodyNote = melody;
        const std::uint8_t velocity = options_.accentedMelodyVelocity(state_.accentCut);
        // A note-on of velocity 0 sounds nothing: it gets no lyric.
        if (lyrics_ != MidiLyrics::Off && velocity != 0) writeLyric();
        writer_.writeDelta(SmfTrack::Melody);
        writer_.writeNoteOn(melody, velocity, kFileMelodyChannel);
        return;
    }
    for (const std::uint8_t chordNote : state_.chordNotes) {
        writer_.writeDelta(SmfTrack::Chord);
        writer_.writeNoteOff(chordNote, kFileChordChannel);
    }
    state_.chordNotes.clear();
    state_.lastMelodyNote = melody;
    if (!chordDue(options_, state_, beat)) return;
    FileChordSink sink(writer_, options_, state_);
    buildChord(note, options_, state_, rng_, ChordRules::File, sink);
}

// The lyric goes just before its note-on, at the same time.
void TrackRenderer::writeLyric() {
    const std::string_view character = characters_.at(state_.lineIndex, state_.charPos - 1);
    if (character.empty()) return;
    writer_.writeDelta(SmfTrack::Melody);
    if (lyrics_ == MidiLyrics::Cp932) {
        writer_.writeLyric(character);
        return;
    }
    utf8Lyric_ = lyricUtf8(character);
    writer_.writeLyric(utf8Lyric_);
}

void TrackRenderer::releaseMelody() {
    if (melodyPass_) {
        writer_.writeDelta(SmfTrack::Melody);
        writer_.writeNoteOff(state_.lastMelodyNote, kFileMelodyChannel);
    }
    state_.lastMelodyNote = 0;
}

void TrackRenderer::rest() {
    if (melodyPass_) melodyRecord_.push_back(0);
}

// Hands the writer's notes to the render observer with the step and the character.
class ObserverBridge final : public SmfNoteListener {
public:
    ObserverBridge(RenderObserver& observer, const PerformanceState& state) : observer_(observer), state_(state) {}

    void noteWritten(std::uint8_t channel, std::uint8_t note, std::uint8_t velocity) override {
        const SmfTrack track = channel == kFileMelodyChannel ? SmfTrack::Melody : SmfTrack::Chord;
        observer_.noteWritten(track, steps_, note, velocity, characterOffset());
    }
    void stepWritten() override { ++steps_; }
    std::int32_t steps() const { return steps_; }

private:
    std::int32_t characterOffset() const {
        const auto line = static_cast<std::size_t>(state_.lineIndex);
        if (line >= state_.lineStarts.size() || state_.charPos < 1) return -1;
        return state_.lineStarts[line] + state_.charPos - 1;
    }

    RenderObserver& observer_;
    const PerformanceState& state_;
    std::int32_t steps_ = 0;
};

}  // namespace

void renderTrack(SmfWriter& writer, SmfTrack track, RenderContext& context) {
    if (context.observer == nullptr) {
        TrackRenderer(writer, track, context).run();
        return;
    }
    ObserverBridge bridge(*context.observer, context.state);
    writer.setNoteListener(&bridge);
    TrackRenderer(writer, track, context).run();
    writer.setNoteListener(nullptr);
    context.observer->trackFinished(track, bridge.steps());
}

}  // namespace velmora
