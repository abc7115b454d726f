#include <gtest/gtest.h>

#include "engine/range_fitting.h"
#include "engine_fixture.h"

namespace velmora::testing {
namespace {

using Messages = std::vector<CapturedMessage>;

PerformanceOptions withoutGrid() {
    PerformanceOptions options;
    options.rhythmItem = 0;
    return options;
}

// Pattern 0 in tonic mode E: A = 60, C = 82, L = 63, W = 72; B, E, H, I, O, U are unassigned.

TEST(TickText, ASingleNoteLetterSoundsOnceAndTheNextTickEnds) {
    TickHarness h;
    h.play({"a"});
    const Messages first = h.tickOnce();
    ASSERT_TRUE(h.running);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front(), noteOn(1, 60, 127));
    const Messages second = h.tickOnce();
    EXPECT_FALSE(h.running);
    EXPECT_EQ(h.timerStops, 1);
    EXPECT_EQ(h.finishes, 1);
    EXPECT_EQ(second, (Messages{allNotesOff(0), allNotesOff(1)}));
}

TEST(TickText, EmptyLinesTakeNoTime) {
    TickHarness onlyEmpty;
    onlyEmpty.play({"", "", ""});
    EXPECT_EQ(onlyEmpty.runToEnd(), 0);
    EXPECT_EQ(onlyEmpty.finishes, 1);

    TickHarness between;
    between.play({"A", "", "", "A", ""});
    EXPECT_EQ(between.runToEnd(), 2);
}

TEST(TickText, TheFirstCharacterOfALineGetsAChordWithBassRootThirdFourthAndFifth) {
    TickHarness h;
    h.play({"A"});
    // Root 60: bass 48; the coin is 0, so the third is tried: 63 is refused by
    // test 0 in mode A, 64 admitted; then the lower fourth 55 and the fifth 67.
    EXPECT_EQ(h.tickOnce(), (Messages{noteOn(1, 60, 127), noteOn(0, 48, 110), noteOn(0, 64, 110),
                                      noteOn(0, 55, 110), noteOn(0, 67, 110)}));
    EXPECT_EQ(h.state.chordNotes, (std::vector<std::uint8_t>{48, 64, 55, 67}));
}

TEST(TickText, NextNoteReleasesMelodyThenChordNotesInTheOrderSounded) {
    TickHarness h(withoutGrid());
    h.play({"AL"});
    h.tickOnce();
    EXPECT_EQ(h.tickOnce(), (Messages{noteOff(1, 60), noteOff(0, 48), noteOff(0, 64), noteOff(0, 55),
                                      noteOff(0, 67), noteOn(1, 63, 127)}));
}

TEST(TickText, StarTakesNoTimeAndMarksAWordStart) {
    TickHarness h(withoutGrid());
    h.play({"A*L"});
    h.tickOnce();
    const Messages second = h.tickOnce();
    ASSERT_GE(second.size(), 7u);
    EXPECT_EQ(second[5], noteOn(1, 63, 127));
    EXPECT_EQ(second[6], noteOn(0, 51, 110)) << "the bass of a word-start chord";
    EXPECT_EQ(h.runToEnd(), 0);

    PerformanceOptions noWordChords = withoutGrid();
    noWordChords.chordsAtWordStarts = false;
    TickHarness plain(noWordChords);
    plain.play({"A*L"});
    plain.tickOnce();
    EXPECT_EQ(plain.tickOnce().size(), 6u) << "releases and the melody note only";
}

TEST(TickText, CaretReleasesTheMelodyAtOnceWhileTheChordSounds) {
    TickHarness h(withoutGrid());
    h.play({"A^L"});
    h.tickOnce();
    EXPECT_EQ(h.tickOnce(), (Messages{noteOff(1, 60)}));
    EXPECT_EQ(h.state.lastMelodyNote, 0);
    EXPECT_EQ(h.state.chordNotes.size(), 4u);
    const Messages third = h.tickOnce();
    EXPECT_EQ(third.front(), noteOff(0, 48)) << "no second melody note-off";
}

TEST(TickText, WithMoreOnACaretIsAWordMarkAndReleasesNothing) {
    PerformanceOptions options = withoutGrid();
    options.unassignedLettersStartWords = true;
    TickHarness h(options);
    h.play({"A^L"});
    h.tickOnce();
    EXPECT_TRUE(h.tickOnce().empty());
    EXPECT_TRUE(h.state.wordStart);
}

TEST(TickGrid, TheFirstNoteSetsTheOriginAndNeverGetsTheBeatFlag) {
    TickHarness h;
    h.play({"BL"});
    h.tickOnce();  // B: a rest before the grid starts takes its tick
    EXPECT_EQ(h.state.gridOrigin, 0);
    EXPECT_EQ(h.tickOnce(), (Messages{noteOn(1, 63, 127)})) << "no chord: not a line start, word start or beat";
    EXPECT_EQ(h.state.gridOrigin, 2) << "the memo offset of the first note";

    PerformanceOptions fromFirst;
    fromFirst.rhythmFromFirstCharacter = true;
    TickHarness counted(fromFirst);
    counted.play({"BL"});
    counted.tickOnce();
    counted.tickOnce();
    EXPECT_EQ(counted.state.gridOrigin, 1);
}

TEST(TickGrid, AccentsAndBeatChordsFollowTheEightStepMeter) {
    TickHarness h;
    h.play({"LLLLLLLLLL"});
    std::vector<int> velocities;
    std::vector<bool> chords;
    for (int i = 0; i < 10; ++i) {
        const Messages messages = h.tickOnce();
        for (const auto& m : messages) {
            if (m.status == 0x91 && m.data2 != 0) velocities.push_back(m.data2);
        }
        chords.push_back(std::any_of(messages.begin(), messages.end(),
                                     [](const CapturedMessage& m) { return m.status == 0x90 && m.data2 != 0; }));
    }
    // Steps 1.. after the origin: 3 and 7 lose 15, 6 loses 7; step 8 is a beat.
    EXPECT_EQ(velocities, (std::vector<int>{127, 127, 127, 112, 127, 127, 120, 112, 127, 127}));
    EXPECT_EQ(chords, (std::vector<bool>{true, false, false, false, false, false, false, false, true, false}));
    EXPECT_EQ(h.state.offbeatRun, 1);
}

TEST(TickRests, OnBeatRestsPassWithoutTimeWhenSkippingIsOn) {
    TickHarness skipping;
    skipping.play({"A" + std::string(20, ' ')});
    // Spaces on steps 1..7 take time; the rest on the beat is passed over, and
    // every later one stays on that beat.
    EXPECT_EQ(skipping.runToEnd(), 8);

    PerformanceOptions noSkip;
    noSkip.skipRestsOnBeats = false;
    TickHarness every(noSkip);
    every.play({"A" + std::string(20, ' ')});
    EXPECT_EQ(every.runToEnd(), 21);
}

TEST(TickRests, PhraseEndsReleaseTheMelodyEvenWhenNothingSounds) {
    PerformanceOptions options;
    options.skipRestsOnBeats = false;
    TickHarness h(options);
    h.play({"A" + std::string(31, ' ')});
    h.tickOnce();
    for (int step = 1; step <= 29; ++step) EXPECT_TRUE(h.tickOnce().empty()) << "step " << step;
    EXPECT_EQ(h.tickOnce(), (Messages{noteOff(1, 60)}));
    EXPECT_EQ(h.tickOnce(), (Messages{noteOff(1, 0)}));
}

TEST(TickRests, RhythmCorrectionSkipsOffbeatRestsAfterARunOfOffbeatNotes) {
    PerformanceOptions options;
    options.skipRestsOnBeats = false;
    options.rhythmCorrection = 1;
    TickHarness h(options);
    // L L: the second note is on step 1 (odd), so offbeatRun is 1; the next
    // rest would take step 2, then a rest on step 8 (r = 0) is passed over.
    h.play({"LL" + std::string(10, ' ')});
    EXPECT_EQ(h.runToEnd(), 2 + 6) << "spaces on steps 2..7 take time, the one on step 8 and after do not";
}

TEST(TickPanic, EscSilencesBothChannelsAtTheNextNoteInsteadOfNoteOffs) {
    TickHarness h(withoutGrid());
    h.play({"A C"});
    h.tickOnce();
    h.state.panicRequest = true;
    EXPECT_TRUE(h.tickOnce().empty()) << "a rest does not act on the request";
    const Messages third = h.tickOnce();
    ASSERT_GE(third.size(), 3u);
    EXPECT_EQ(third[0], allNotesOff(0));
    EXPECT_EQ(third[1], allNotesOff(1));
    EXPECT_EQ(third[2], noteOn(1, 82, 127));
    EXPECT_FALSE(h.state.panicRequest);
}

TEST(TickView, HighlightsTheSoundingCharacterAndScrollsAtLineStarts) {
    TickHarness h(withoutGrid());
    h.state.visibleLines = 10;
    h.play({"AB", "CA"});
    h.runToEnd();
    using Mark = std::pair<std::int32_t, std::int32_t>;
    // On the first line memoPos is one past the character; later lines agree.
    EXPECT_EQ(h.highlights, (std::vector<Mark>{{1, 0}, {2, 1}, {4, 4}, {5, 5}}));
    EXPECT_EQ(h.scrolls, 0);

    TickHarness small(withoutGrid());
    small.state.visibleLines = 2;
    small.play({"A", "A", "A"});
    small.runToEnd();
    EXPECT_EQ(small.scrolls, 3) << "every line start once lineIndex > visibleLines - 3";
}

TEST(TickView, ElapsedTimeIsTheMemoOffsetTimesTheInterval) {
    PerformanceOptions options = withoutGrid();
    options.tickMs = 1000;
    TickHarness h(options);
    h.play({std::string(65, 'A')});
    for (int i = 0; i < 65; ++i) h.tickOnce();
    EXPECT_EQ(h.elapsed, "01 : 05");
    EXPECT_EQ(formatMinutesSeconds(6000), "100 : 00");
    EXPECT_EQ(formatMinutesSeconds(9), "00 : 09");
}

TEST(RangeFitting, LowersHighNotesOnceAndRaisesLowNotesAtMostTwoOctaves) {
    const NoteRange off{{false, 85}, {false, 54}};
    EXPECT_EQ(fitRange(110, off), 98);
    EXPECT_EQ(fitRange(104, off), 104);
    EXPECT_EQ(fitRange(20, off), 32);
    EXPECT_EQ(fitRange(5, off), 29);
}

TEST(RangeFitting, TheHighLoopRunsBeforeTheLowLoopWithoutAlternating) {
    EXPECT_EQ(fitRange(65, {{true, 60}, {true, 72}}), 77);
    EXPECT_EQ(fitRange(90, {{true, 85}, {false, 54}}), 78);
    EXPECT_EQ(fitRange(40, {{false, 85}, {true, 54}}), 64);
}

TEST(RangeFitting, TwoChannelsFitTheMelodyToTheSoloLimits) {
    PerformanceOptions options = withoutGrid();
    options.twoChannels = true;
    options.soloRange.high.enabled = true;
    options.soloRange.high.note = 60;
    options.backingRange.high.enabled = true;
    options.backingRange.high.note = 100;
    TickHarness h(options);
    h.play({"A"});
    EXPECT_EQ(h.tickOnce().front(), noteOn(1, 48, 127));
}

}  // namespace
}  // namespace velmora::testing
