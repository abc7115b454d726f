#include "mapping/note_names.h"

#include <gtest/gtest.h>

#include "mapping/letter_tables.h"
#include "support/scripted_random.h"

namespace velmora {
namespace {

using testing::ScriptedRandom;

std::string keyLabel(int pattern, TonicMode mode, int keyShift) {
    return keyName(keyNote(pattern, mode, keyShift));
}

// noteName for a table that does not draw; a draw would fail the test.
std::string nameOf(char character, int pattern, TonicMode mode) {
    ScriptedRandom rng;
    std::string name = noteName(static_cast<std::uint8_t>(character), pattern, mode, rng);
    EXPECT_EQ(rng.drawCount(), 0) << "pattern " << pattern << " drew";
    return name;
}

TEST(PatternNames, NamesForTheStatusBar) {
    EXPECT_EQ(patternName(0), "ファニー");
    EXPECT_EQ(patternName(3), "全音階");
    EXPECT_EQ(patternName(10), "より自然なサウンド（かも知れない）");
    EXPECT_EQ(patternName(11), "スパニッシュスケール");
    EXPECT_EQ(patternName(-1), "");
    EXPECT_EQ(patternName(12), "");
}

TEST(KeyDisplay, KeyLabelFollowsModeAndShift) {
    EXPECT_EQ(keyLabel(0, TonicMode::E, 0), "E♭");
    EXPECT_EQ(keyLabel(0, TonicMode::A, 0), "C");
    EXPECT_EQ(keyNote(9, TonicMode::E, -8), 46);
    EXPECT_EQ(keyLabel(9, TonicMode::E, -8), "B♭");
    EXPECT_EQ(keyNote(8, TonicMode::E, 8), 74);
    EXPECT_EQ(keyLabel(8, TonicMode::E, 8), "D");
    EXPECT_EQ(keyLabel(7, TonicMode::A, 0), "C");
    EXPECT_EQ(keyLabel(7, TonicMode::E, 0), "C");
    EXPECT_EQ(keyLabel(11, TonicMode::E, 0), "C");
    EXPECT_EQ(keyLabel(11, TonicMode::A, 1), "F");
}

TEST(KeyDisplay, EveryAllowedShiftGivesANamedKey) {
    for (int pattern = 0; pattern < kPatternCount; ++pattern) {
        for (TonicMode mode : {TonicMode::A, TonicMode::E}) {
            for (int shift = -8; shift <= 8; ++shift) {
                const int note = keyNote(pattern, mode, shift);
                EXPECT_GE(note, 46);
                EXPECT_LE(note, 74);
                EXPECT_FALSE(keyLabel(pattern, mode, shift).empty());
            }
        }
    }
}

TEST(KeyDisplay, KeyNamesCountFromGFlatAndRepeatByOctave) {
    EXPECT_EQ(keyName(41), "");
    EXPECT_EQ(keyName(42), "G♭");
    EXPECT_EQ(keyName(53), "F");
    EXPECT_EQ(keyName(54), "G♭");
    EXPECT_EQ(keyName(61), "D♭");
    EXPECT_EQ(keyName(68), "A♭");
    EXPECT_EQ(keyName(77), "F");
    EXPECT_EQ(keyName(78), "");
    EXPECT_EQ(keyName(0), "");
    EXPECT_EQ(keyName(255), "");
}

TEST(KeyDisplay, KeyNoteWrapsAsAByte) {
    EXPECT_EQ(keyNote(1, TonicMode::A, 200), static_cast<std::uint8_t>(256));
    EXPECT_EQ(keyNote(1, TonicMode::A, -100), static_cast<std::uint8_t>(56 - 100));
    EXPECT_EQ(keyLabel(1, TonicMode::A, -100), "");
}

TEST(KeyDisplay, NoPatternSelectedUsesMiddleC) {
    EXPECT_EQ(keyBase(-1, TonicMode::E), 60);
    EXPECT_EQ(nameBase(-1, TonicMode::A), 60);
    EXPECT_EQ(keyLabel(-1, TonicMode::A, 2), "D");
}

TEST(KeyDisplay, NameBaseDiffersFromKeyBaseOnlyForPatternElevenInModeE) {
    for (int pattern = 0; pattern < kPatternCount; ++pattern) {
        for (TonicMode mode : {TonicMode::A, TonicMode::E}) {
            const bool differs = pattern == 11 && mode == TonicMode::E;
            EXPECT_EQ(keyBase(pattern, mode) != nameBase(pattern, mode), differs) << pattern;
        }
    }
    EXPECT_EQ(nameBase(11, TonicMode::E), 64);
}

TEST(NoteNames, NamesCountFromTheNameBase) {
    EXPECT_EQ(nameOf('A', 7, TonicMode::A), "C");  // 60 - 60
    EXPECT_EQ(nameOf('A', 7, TonicMode::E), "A");  // 57 - 60 + 12
    EXPECT_EQ(nameOf('A', 0, TonicMode::A), "F");  // 65 - 60
    EXPECT_EQ(nameOf('Z', 2, TonicMode::E), "E");  // 43 - 63 + 24
}

TEST(NoteNames, PatternElevenInModeECountsFromE) {
    ScriptedRandom rng{6, 0};
    EXPECT_EQ(noteName('A', 11, TonicMode::E, rng), "G#");  // 60 - 64 + 12
    EXPECT_EQ(noteName('B', 11, TonicMode::E, rng), "B♭");  // 62 - 64 + 12
}

TEST(NoteNames, UnassignedCharactersAreBlank) {
    EXPECT_EQ(nameOf('H', 0, TonicMode::A), " ");
    EXPECT_EQ(nameOf('a', 5, TonicMode::E), " ");
    EXPECT_EQ(nameOf('A', 1, TonicMode::E), " ");
    EXPECT_EQ(nameOf(';', 0, TonicMode::A), " ");
    EXPECT_EQ(nameOf('A', -1, TonicMode::A), " ");
    EXPECT_EQ(nameOf('\xB0', 4, TonicMode::A), " ");
}

TEST(NoteNames, SemicolonHasANameWhereItIsMapped) {
    for (TonicMode mode : {TonicMode::A, TonicMode::E}) {
        EXPECT_NE(nameOf(';', 2, mode), " ");
        EXPECT_NE(nameOf(';', 6, mode), " ");
    }
    EXPECT_EQ(nameOf(';', 2, TonicMode::A), "A");  // 69 - 60
}

TEST(NoteNames, RandomTablesDrawForEveryName) {
    ScriptedRandom rng{0, 1, 3};
    EXPECT_EQ(noteName('1', 10, TonicMode::A, rng), "F#");  // 81 - 63
    EXPECT_EQ(noteName('1', 10, TonicMode::A, rng), "F");   // 80 - 63
    EXPECT_EQ(noteName('H', 10, TonicMode::A, rng), " ");
    EXPECT_EQ(rng.drawCount(), 3);
    EXPECT_TRUE(rng.exhausted());
}

}  // namespace
}  // namespace velmora
