#include "engine/chord_rules.h"

#include <gtest/gtest.h>

#include "support/scripted_random.h"

namespace velmora::testing {
namespace {

struct Sounded {
    std::uint8_t note;
    std::uint8_t velocity;
    bool fitted;
    bool operator==(const Sounded&) const = default;
};

class RecordingSink final : public ChordSink {
public:
    void addNote(std::uint8_t note, std::uint8_t velocity) override { notes.push_back({note, velocity, true}); }
    void addUnfittedNote(std::uint8_t note, std::uint8_t velocity) override {
        notes.push_back({note, velocity, false});
    }
    std::vector<std::uint8_t> pitches() const {
        std::vector<std::uint8_t> result;
        for (const auto& n : notes) result.push_back(n.note);
        return result;
    }
    std::vector<Sounded> notes;
};

struct ChordCase {
    PerformanceOptions options;
    PerformanceState state;
    ScriptedRandom rng;

    explicit ChordCase(int pattern, bool modeE, int coin = 0) : rng({coin}) {
        options.scalePattern = pattern;
        options.tonicOnE = modeE;
    }

    RecordingSink build(std::uint8_t melodyNote, ChordRules rules) {
        RecordingSink sink;
        buildChord(melodyNote, options, state, rng, rules, sink);
        return sink;
    }
};

using Pitches = std::vector<std::uint8_t>;

TEST(ChordRules, BuildingAChordConsumesTheWordStartAndDrawsOneCoin) {
    ChordCase c(3, true);
    c.state.wordStart = true;
    c.build(60, ChordRules::Live);
    EXPECT_FALSE(c.state.wordStart);
    EXPECT_EQ(c.rng.bounds(), (std::vector<int>{2}));
}

TEST(ChordRules, WholeToneChordsAddTheAugmentedTriadWithoutTests) {
    ChordCase c(3, false, 1);
    EXPECT_EQ(c.build(60, ChordRules::Live).pitches(), (Pitches{48, 68, 64}));
    c.options.thickChords = false;
    EXPECT_EQ(c.build(60, ChordRules::File).pitches(), (Pitches{68, 64}));
}

TEST(ChordRules, OctaveDownLowersTheRootAndKeyShiftMovesTheWholeChord) {
    ChordCase c(3, false);
    c.options.octaveDown = true;
    EXPECT_EQ(c.build(60, ChordRules::Live).pitches(), (Pitches{36, 56, 52}));
    ChordCase shifted(3, false);
    shifted.options.keyShift = 2;
    EXPECT_EQ(shifted.build(62, ChordRules::Live).pitches(), (Pitches{50, 70, 66}));
}

TEST(ChordRules, CoinOneLeavesOutTheThird) {
    ChordCase heads(0, true, 0);
    ChordCase tails(0, true, 1);
    EXPECT_EQ(heads.build(60, ChordRules::Live).pitches(), (Pitches{48, 64, 55, 67}));
    EXPECT_EQ(tails.build(60, ChordRules::Live).pitches(), (Pitches{48, 55, 67}));
}

TEST(ChordRules, PatternZeroInModeEAddsTheTenthOnDifferentRootsLiveAndInTheFile) {
    // Root 67: third 70, fourth below 62, fifth 74; live adds 77, the file does not.
    ChordCase live(0, true);
    EXPECT_EQ(live.build(67, ChordRules::Live).pitches(), (Pitches{55, 70, 62, 74, 77}));
    ChordCase file(0, true);
    EXPECT_EQ(file.build(67, ChordRules::File).pitches(), (Pitches{55, 70, 62, 74}));
    ChordCase fileOn60(0, true);
    EXPECT_EQ(fileOn60.build(60, ChordRules::File).pitches(), (Pitches{48, 64, 55, 67, 70}));
}

TEST(ChordRules, VelocitiesCarryTheAccentExceptWhereTheFileDropsIt) {
    ChordCase live(7, false);
    live.state.accentCut = 15;
    const RecordingSink liveChord = live.build(60, ChordRules::Live);
    for (const auto& n : liveChord.notes) EXPECT_EQ(n.velocity, 95) << int{n.note};

    ChordCase file(7, false);
    file.state.accentCut = 15;
    const RecordingSink fileChord = file.build(60, ChordRules::File);
    ASSERT_FALSE(fileChord.notes.empty());
    for (const auto& n : fileChord.notes) {
        const bool minorThird = n.note == 63;
        EXPECT_EQ(n.velocity, minorThird ? 110 : 95) << int{n.note};
    }
}

TEST(ChordRules, PatternFiveSoundsItsLiveThirdWithTheSoloVelocityOutsideTheRangeFitting) {
    ChordCase live(5, false);
    live.options.melodyVelocity = 100;
    live.options.backingRange.high.enabled = true;
    live.options.backingRange.high.note = 60;
    const RecordingSink chord = live.build(60, ChordRules::Live);
    ASSERT_FALSE(chord.notes.empty());
    const Sounded third = chord.notes.back();
    EXPECT_FALSE(third.fitted);
    EXPECT_EQ(third.velocity, 100);
    EXPECT_EQ(third.note, 63 - 12) << "lowered once by the backing high limit";

    ChordCase file(5, false);
    const RecordingSink fileChord = file.build(60, ChordRules::File);
    ASSERT_FALSE(fileChord.notes.empty());
    EXPECT_TRUE(fileChord.notes.back().fitted);
    EXPECT_EQ(fileChord.notes.back().velocity, 110);
}

TEST(ChordRules, PatternElevenPrefersTheMajorThirdOnCoinOne) {
    ChordCase heads(11, false, 0);
    ChordCase tails(11, false, 1);
    heads.options.thickChords = false;
    tails.options.thickChords = false;
    // Root 60 in mode A: test 11 admits both 63 and 64 (and refuses the fifth 67).
    EXPECT_EQ(heads.build(60, ChordRules::Live).pitches(), (Pitches{63}));
    EXPECT_EQ(tails.build(60, ChordRules::Live).pitches(), (Pitches{64}));
}

TEST(ChordRules, RootCorrectionBuildsOnAMajorThirdBelow) {
    // Pattern 8 in mode A corrects root values 35, 47, ...: root 59 becomes 55.
    ChordCase corrected(8, false, 1);
    corrected.options.thickChords = false;
    const Pitches chord = corrected.build(59, ChordRules::Live).pitches();
    ASSERT_FALSE(chord.empty());
    EXPECT_EQ(chord.front(), 62) << "the fifth of 55";

    // The bass is sounded before the correction, on the uncorrected root.
    ChordCase thick(8, false, 1);
    EXPECT_EQ(thick.build(59, ChordRules::Live).pitches().front(), 47);
}

TEST(ChordRules, PatternSixInTheFileNeverFallsBackToTheMajorThird) {
    // Root 60 in mode A: test 6 refuses 63 (class 3) and admits 64.
    ChordCase live(6, false);
    live.options.thickChords = false;
    ChordCase file(6, false);
    file.options.thickChords = false;
    EXPECT_EQ(live.build(60, ChordRules::Live).pitches().back(), 64);
    const Pitches fileChord = file.build(60, ChordRules::File).pitches();
    EXPECT_EQ(std::count(fileChord.begin(), fileChord.end(), 64), 0);
}

TEST(ChordRules, NoPatternSelectedSoundsNoChordRule) {
    ChordCase none(-1, true);
    none.options.thickChords = false;
    EXPECT_TRUE(none.build(60, ChordRules::Live).notes.empty());
}

}  // namespace
}  // namespace velmora::testing
