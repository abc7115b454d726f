#include "mapping/scale_membership.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace velmora {
namespace {

constexpr std::array<TonicMode, 2> kModes = {TonicMode::A, TonicMode::E};
constexpr std::array<int, 9> kRangedTests = {2, 4, 5, 6, 7, 8, 9, 10, 11};

bool admits(int test, int note, TonicMode mode, int keyShift = 0) {
    return inScale(test, static_cast<std::uint8_t>(note), mode, keyShift);
}

TEST(ScaleMembership, RangedTestsTakeTheKeyShiftOffTheNote) {
    EXPECT_TRUE(admits(2, 63, TonicMode::A, 3));   // v = 60
    EXPECT_TRUE(admits(2, 60, TonicMode::A, 3));   // v = 57
    EXPECT_FALSE(admits(2, 61, TonicMode::A, 3));  // v = 58
}

TEST(ScaleMembership, ShiftedNoteAnswersAsTheUnshiftedNote) {
    for (int test : kRangedTests) {
        for (TonicMode mode : kModes) {
            for (int shift = -8; shift <= 8; ++shift) {
                for (int note = 0; note < 256; ++note) {
                    const int unshifted = (note - shift + 256) % 256;
                    EXPECT_EQ(admits(test, note, mode, shift), admits(test, unshifted, mode, 0))
                        << "test " << test << " note " << note << " shift " << shift;
                }
            }
        }
    }
}

TEST(ScaleMembership, WrappedValuesBelowTheRangeAreRefused) {
    // With shift 8 the note 5 wraps round to 253.
    for (int test : kRangedTests) {
        for (TonicMode mode : kModes) EXPECT_FALSE(admits(test, 5, mode, 8)) << "test " << test;
    }
    EXPECT_TRUE(admits(0, 5, TonicMode::A, 8));
    EXPECT_TRUE(admits(0, 5, TonicMode::E, 8));
}

TEST(ScaleMembership, RangedTestsStayWithin30To103) {
    for (int test : kRangedTests) {
        for (TonicMode mode : kModes) {
            for (int note = 0; note < 256; ++note) {
                if (note >= 30 && note <= 103) continue;
                EXPECT_FALSE(admits(test, note, mode)) << "test " << test << " note " << note;
            }
        }
    }
}

TEST(ScaleMembership, RangeEndsAreInclusive) {
    struct End {
        int test;
        TonicMode mode;
        int inside;   // a listed class at the end of the range
        int outside;  // the same class one octave beyond it
    };
    const End ends[] = {
        {2, TonicMode::A, 32, 20},   {2, TonicMode::A, 101, 113},  {2, TonicMode::E, 30, 18},
        {2, TonicMode::E, 102, 114}, {4, TonicMode::A, 30, 18},    {4, TonicMode::A, 103, 115},
        {11, TonicMode::E, 31, 19},  {11, TonicMode::E, 101, 113}, {8, TonicMode::E, 102, 114},
    };
    for (const End& end : ends) {
        EXPECT_TRUE(admits(end.test, end.inside, end.mode)) << "test " << end.test << " note " << end.inside;
        EXPECT_FALSE(admits(end.test, end.outside, end.mode))
            << "test " << end.test << " note " << end.outside;
    }
    // Neighbouring rows differ only in their range.
    EXPECT_TRUE(admits(8, 103, TonicMode::A));
    EXPECT_FALSE(admits(8, 103, TonicMode::E));
    EXPECT_TRUE(admits(10, 30, TonicMode::A));
    EXPECT_FALSE(admits(10, 30, TonicMode::E));
    EXPECT_FALSE(admits(10, 102, TonicMode::A));
}

TEST(ScaleMembership, TestZeroComparesTheSoundingNote) {
    for (int shift = -8; shift <= 8; ++shift) {
        EXPECT_FALSE(admits(0, 61, TonicMode::A, shift));
        EXPECT_TRUE(admits(0, 62, TonicMode::A, shift));
    }
}

TEST(ScaleMembership, TestZeroRefusesOnlyItsList) {
    // Mode A refuses B, C♯ and D♯ from 35 to 99; mode E refuses D, E and F♯ from 30 to 102.
    for (int note = 0; note < 256; ++note) {
        const int pitchClass = note % 12;
        const bool refusedA =
            note >= 35 && note <= 99 && (pitchClass == 11 || pitchClass == 1 || pitchClass == 3);
        const bool refusedE =
            note >= 30 && note <= 102 && (pitchClass == 2 || pitchClass == 4 || pitchClass == 6);
        EXPECT_EQ(admits(0, note, TonicMode::A), !refusedA) << note;
        EXPECT_EQ(admits(0, note, TonicMode::E), !refusedE) << note;
    }
}

TEST(ScaleMembership, TestOneAdmitsEverything) {
    for (TonicMode mode : kModes) {
        for (int note : {0, 1, 61, 200, 255}) {
            for (int shift : {-8, 0, 8}) EXPECT_TRUE(admits(1, note, mode, shift));
        }
    }
}

TEST(ScaleMembership, ThereIsNoTestThree) {
    for (TonicMode mode : kModes) {
        for (int note = 0; note < 256; ++note) EXPECT_FALSE(admits(3, note, mode));
    }
}

TEST(ScaleMembership, UnknownTestsRefuse) {
    for (int test : {-1, 12, 99}) EXPECT_FALSE(admits(test, 60, TonicMode::A));
}

TEST(ScaleMembership, TestSevenRefusesFSharpAnd32And37InBothModes) {
    for (TonicMode mode : kModes) {
        for (int note = 42; note <= 102; note += 12) EXPECT_FALSE(admits(7, note, mode)) << note;
        EXPECT_FALSE(admits(7, 32, mode));
        EXPECT_FALSE(admits(7, 37, mode));
        EXPECT_TRUE(admits(7, 61, mode));
        EXPECT_TRUE(admits(7, 63, mode));
        EXPECT_TRUE(admits(7, 44, mode));
    }
    for (int note = 0; note < 256; ++note) {
        EXPECT_EQ(admits(7, note, TonicMode::A), admits(7, note, TonicMode::E)) << note;
    }
}

TEST(ScaleMembership, TestSixAdmitsOnlyTheTopASharpInModeA) {
    for (int note : {34, 46, 58, 70, 82}) EXPECT_FALSE(admits(6, note, TonicMode::A)) << note;
    EXPECT_TRUE(admits(6, 94, TonicMode::A));
    EXPECT_TRUE(admits(6, 94, TonicMode::E));  // A♯ is listed in mode E
    EXPECT_TRUE(admits(6, 58, TonicMode::E));
}

TEST(ScaleMembership, TestNineInModeEAdmitsDOnlyAt74) {
    for (int note = 38; note <= 98; note += 12) EXPECT_EQ(admits(9, note, TonicMode::E), note == 74) << note;
    for (int note : {41, 69, 73}) {
        EXPECT_FALSE(admits(9, note, TonicMode::E)) << note;
        EXPECT_TRUE(admits(9, note + 12, TonicMode::E)) << note + 12;  // the same class an octave up
    }
}

TEST(ScaleMembership, SingleRefusedNotes) {
    EXPECT_FALSE(admits(4, 33, TonicMode::E));
    EXPECT_FALSE(admits(4, 45, TonicMode::E));
    EXPECT_TRUE(admits(4, 57, TonicMode::E));
    EXPECT_FALSE(admits(8, 34, TonicMode::A));
    EXPECT_FALSE(admits(8, 46, TonicMode::A));
    EXPECT_FALSE(admits(8, 102, TonicMode::A));
    EXPECT_TRUE(admits(8, 90, TonicMode::A));
    EXPECT_FALSE(admits(8, 37, TonicMode::E));
    EXPECT_TRUE(admits(8, 49, TonicMode::E));
    EXPECT_FALSE(admits(10, 100, TonicMode::A));
    EXPECT_TRUE(admits(10, 88, TonicMode::A));
    EXPECT_FALSE(admits(10, 42, TonicMode::E));
    EXPECT_TRUE(admits(10, 54, TonicMode::E));
}

TEST(ScaleMembership, ModesUseTheirOwnRows) {
    // Test 5: C♯ belongs to mode E only, D to mode A only.
    EXPECT_FALSE(admits(5, 61, TonicMode::A));
    EXPECT_TRUE(admits(5, 61, TonicMode::E));
    EXPECT_TRUE(admits(5, 62, TonicMode::A));
    EXPECT_FALSE(admits(5, 62, TonicMode::E));
}

}  // namespace
}  // namespace velmora
