// How the score writes what it reads from the renderer: note values that show
// the beats, pitches spelled by the key signature, the signature that fits the
// pattern, and notes held across bars.
#include <gtest/gtest.h>

#include "mapping/note_names.h"
#include "score/note_values.h"
#include "score/part_timeline.h"
#include "score/pitch_spelling.h"

namespace velmora {
namespace {

TEST(ScoreNotation, WrittenValuesStartOnTheirBeatsAndKeepTheBarsMiddleVisible) {
    struct Case {
        int beats, offset, length, expected;
    };
    const Case cases[] = {
        {4, 0, 8, 8}, {4, 0, 7, 6}, {4, 0, 5, 4},
        {4, 4, 3, 3}, {4, 4, 4, 4}, {4, 2, 6, 2},  // no half on beat 2
        {4, 2, 3, 2}, {4, 1, 3, 1}, {4, 3, 2, 1},
        {4, 6, 2, 2}, {3, 0, 6, 6}, {3, 2, 4, 4},  // 3/4: half on beat 2
        {3, 2, 3, 3}, {3, 1, 5, 1}, {3, 0, 5, 4},
    };
    for (const Case& c : cases) {
        const ScoreMetre metre = ScoreMetre::forMeterKind(c.beats);
        EXPECT_EQ(nextWrittenSteps(metre, c.offset, c.length), c.expected)
            << c.beats << "/4 at " << c.offset << " for " << c.length;
    }
}

TEST(ScoreNotation, PitchesAreSpelledByTheKeyAndTheCommonChromaticNames) {
    struct Case {
        int fifths, pitch;
        const char* expected;  // step, alter, octave
    };
    const Case cases[] = {
        {-3, 63, "E-1 4"}, {-3, 64, "E0 4"}, {-3, 66, "G-1 4"}, {-3, 69, "A0 4"},  // E♭: ♭3, #4
        {0, 61, "D-1 4"},  {0, 66, "F1 4"},  {0, 70, "B-1 4"},  {0, 48, "C0 3"},   // C
        {1, 70, "B-1 4"},  {1, 65, "F0 4"},  {5, 67, "G0 4"},   {5, 70, "A1 4"},   // G, B
        {6, 60, "C0 4"},   {6, 65, "E1 4"},  {-6, 71, "C-1 5"}, {-6, 67, "G0 4"},  // no B#, C♭ only in G♭
        {-6, 64, "E0 4"},  {-5, 62, "D0 4"},
    };
    for (const Case& c : cases) {
        const SpelledPitch spelled = KeySpelling(c.fifths).spell(c.pitch);
        const std::string written = std::string(1, spelled.step()) + std::to_string(spelled.alter) + " " +
                                    std::to_string(spelled.octave);
        EXPECT_EQ(written, c.expected) << c.pitch << " with " << c.fifths << " fifths";
    }
}

TEST(ScoreNotation, TheKeySignatureIsTheKeysUnlessAnotherLeavesFewerAccidentals) {
    struct Case {
        int pattern;
        bool tonicE;
        int keyShift, expected;
    };
    // The key label's keys (E♭, C, D, B♭) where they fit; pattern 1's notes in
    // A♭ (D natural among them) all lie in E♭, pattern 5's in C (E♭) in B♭.
    const Case cases[] = {{0, true, 0, -3},  {7, false, 0, 0},  {7, false, 2, 2},
                          {9, true, -8, -2}, {1, false, 0, -3}, {5, false, 0, -2}};
    for (const Case& c : cases) {
        PerformanceOptions options;
        options.scalePattern = c.pattern;
        options.tonicOnE = c.tonicE;
        options.keyShift = c.keyShift;
        EXPECT_EQ(scoreFifths(options, keyNote(c.pattern, options.tonicMode(), c.keyShift)), c.expected)
            << "pattern " << c.pattern;
    }
}

class BarRecord final : public BarConsumer {
public:
    void bar(const ScoreBar& bar) override {
        std::string text = std::to_string(bar.number) + (bar.last ? "!" : "") + ":";
        for (const BarStretch& stretch : bar.stretches) {
            text += " " + std::to_string(stretch.offset) + "+" + std::to_string(stretch.length);
            for (std::uint32_t i = 0; i < stretch.noteCount; ++i) {
                const BarNote& note = bar.notesOf(stretch)[i];
                text += (note.tiedFromBefore ? " ~" : " ") + std::to_string(note.pitch) +
                        (note.tiedToNext ? "~" : "");
            }
        }
        bars.push_back(text);
    }
    std::vector<std::string> bars;
};

TEST(ScoreNotation, NotesHeldAcrossBarsAreTiedAndNotesStruckAgainAreNot) {
    BarRecord record;
    PartTimeline part(ScoreMetre::forMeterKind(3), record);
    part.noteOn(1, 60);
    part.noteOn(1, 64);
    part.noteOn(1, 60);  // the same note doubled in one chord
    part.noteOff(14, 60);
    part.noteOff(14, 64);
    part.noteOn(14, 64);
    part.noteOff(15, 64);
    part.noteOff(16, 67);  // sounds not: ignored
    part.finish(15);
    EXPECT_EQ(record.bars, (std::vector<std::string>{"1: 0+1 1+5 60~ 64~", "2: 0+6 ~60~ ~64~",
                                                     "3!: 0+2 ~60 ~64 2+1 64 3+1 4+2"}));
}

}  // namespace
}  // namespace velmora
