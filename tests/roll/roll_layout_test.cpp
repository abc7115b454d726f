#include <gtest/gtest.h>

#include "mapping/letter_tables.h"
#include "mapping/note_names.h"
#include "roll/roll_layout.h"

namespace velmora {
namespace {

RollModel threeNotes() {
    RollBuilder builder(4, 60);
    builder.noteOn(RollVoice::Melody, 0, 64, 0);
    builder.noteOn(RollVoice::Chord, 0, 52, 0);
    builder.noteOn(RollVoice::Melody, 1, 52, 1);  // on the chord's pitch while the chord sounds
    builder.noteOff(RollVoice::Melody, 1, 64);
    builder.noteOff(RollVoice::Melody, 2, 52);
    builder.noteOff(RollVoice::Chord, 20, 52);
    return builder.finish(20);
}

RollRect centreOf(const RollLayout& layout, std::size_t index) { return layout.noteRect(layout.model().notes[index]); }

TEST(RollLayout, PlacesNotesByStepAndPitch) {
    const RollModel model = threeNotes();
    const RollLayout layout(model, 10, 5);
    // Range 52..64 with two rows of margin on each side.
    EXPECT_EQ(layout.highestRowPitch(), 66);
    EXPECT_EQ(layout.lowestRowPitch(), 50);
    const RollRect melody = layout.noteRect(model.notes[0]);
    EXPECT_DOUBLE_EQ(melody.x, RollLayout::kAxisWidth);
    EXPECT_DOUBLE_EQ(melody.width, 10);
    EXPECT_DOUBLE_EQ(melody.y, RollLayout::kHeaderHeight + 2 * 5);
    const RollRect chord = layout.noteRect(model.notes[1]);
    EXPECT_DOUBLE_EQ(chord.width, 200);
    EXPECT_DOUBLE_EQ(chord.y, RollLayout::kHeaderHeight + 14 * 5);
    EXPECT_DOUBLE_EQ(layout.width(), RollLayout::kAxisWidth + 21 * 10);
    EXPECT_DOUBLE_EQ(layout.height(), RollLayout::kHeaderHeight + 17 * 5);
}

TEST(RollLayout, AnEmptyOrNarrowRollShowsAnOctave) {
    RollModel empty;
    EXPECT_EQ(RollLayout(empty).rows(), RollLayout::kMinimumRows);
    RollBuilder builder(4, 60);
    builder.noteOn(RollVoice::Melody, 0, 127, 0);
    const RollModel top = builder.finish(1);
    const RollLayout layout(top);
    EXPECT_EQ(layout.highestRowPitch(), 127);  // never past the MIDI range
    EXPECT_EQ(layout.rows(), RollLayout::kMinimumRows);
}

TEST(RollLayout, BarsFollowTheMetre) {
    RollModel model;
    model.totalSteps = 20;
    model.stepsPerBar = RollModel::stepsPerBarOf(4);
    EXPECT_EQ(RollLayout(model).barSteps(), (std::vector<std::int32_t>{0, 8, 16}));
    model.stepsPerBar = RollModel::stepsPerBarOf(3);
    EXPECT_EQ(RollLayout(model).barSteps(), (std::vector<std::int32_t>{0, 6, 12, 18}));
    model.stepsPerBar = RollModel::stepsPerBarOf(0);
    EXPECT_TRUE(RollLayout(model).barSteps().empty());
}

TEST(RollLayout, ClickFindsTheCharacterOfTheNoteUnderThePointer) {
    const RollModel model = threeNotes();
    const RollLayout layout(model, 10, 5);
    const RollRect first = centreOf(layout, 0);
    EXPECT_EQ(layout.memoOffsetAt(first.x + 5, first.y + 2), 0);
    // Melody and chord share pitch 52 at step 1: the melody note wins.
    const RollRect second = centreOf(layout, 2);
    ASSERT_EQ(model.notes[2].memoOffset, 1);
    EXPECT_EQ(layout.memoOffsetAt(second.x + 5, second.y + 2), 1);
    // Far along the chord, where it sounds alone, the chord's character.
    EXPECT_EQ(layout.memoOffsetAt(layout.stepX(15) + 3, second.y + 2), 0);
    // Between notes, and on the axis, nothing.
    EXPECT_EQ(layout.memoOffsetAt(layout.stepX(15) + 3, first.y + 2), std::nullopt);
    EXPECT_EQ(layout.memoOffsetAt(5, first.y + 2), std::nullopt);
}

TEST(RollLayout, LongNotesThatStartedBeforeAViewAreInIt) {
    const RollModel model = threeNotes();
    const RollLayout layout(model);
    const auto [begin, end] = layout.notesBetween(10, 12);
    bool chordFound = false;
    for (std::size_t index = begin; index < end; ++index) {
        chordFound |= model.notes[index].voice == RollVoice::Chord;
    }
    EXPECT_TRUE(chordFound);
}

TEST(RollLayout, AxisNamesAreTheNoteDisplaysNames) {
    // A key shift moves the sounding notes and the name base alike, so a
    // letter's row carries the name the note display gives the letter.
    for (const int keyShift : {0, 5, -3}) {
        for (const int pattern : {0, 8, 11}) {
            std::uint8_t letter = 'A';
            std::uint8_t table = 0;
            for (; letter <= 'Z' && table == 0; ++letter) {
                SeededRandom rng(1);
                table = letterPitch(pattern, letter, TonicMode::E, rng);
            }
            --letter;
            ASSERT_NE(table, 0);
            const auto sounding = static_cast<std::uint8_t>(table + keyShift);
            RollBuilder builder(4, nameBase(pattern, TonicMode::E) + keyShift);
            builder.noteOn(RollVoice::Melody, 0, sounding, 0);
            const RollModel model = builder.finish(1);
            std::string rowName;
            for (const RollPitchRow& row : RollLayout(model).pitchRows()) {
                if (row.pitch == sounding) rowName = row.name;
            }
            SeededRandom again(1);
            EXPECT_EQ(rowName, noteName(letter, pattern, TonicMode::E, again)) << pattern << " " << keyShift;
        }
    }
}

}  // namespace
}  // namespace velmora
