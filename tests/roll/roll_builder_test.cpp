#include <gtest/gtest.h>

#include "roll/roll_model.h"

namespace velmora {
namespace {

TEST(RollBuilder, PairsNoteOnsWithTheirNoteOffsPerVoice) {
    RollBuilder builder(4, 60);
    builder.noteOn(RollVoice::Melody, 0, 64, 0);
    builder.noteOn(RollVoice::Chord, 0, 64, 0);  // the same pitch in the other voice is a note of its own
    builder.noteOff(RollVoice::Melody, 1, 64);
    builder.noteOn(RollVoice::Melody, 1, 67, 1);
    builder.noteOff(RollVoice::Chord, 3, 64);
    builder.noteOff(RollVoice::Melody, 4, 67);
    const RollModel model = builder.finish(4);

    ASSERT_EQ(model.notes.size(), 3u);
    EXPECT_EQ(model.notes[0], (RollNote{0, 1, 64, RollVoice::Melody, 0}));
    EXPECT_EQ(model.notes[1], (RollNote{0, 3, 64, RollVoice::Chord, 0}));
    EXPECT_EQ(model.notes[2], (RollNote{1, 3, 67, RollVoice::Melody, 1}));
    EXPECT_EQ(model.lowestPitch, 64);
    EXPECT_EQ(model.highestPitch, 67);
    EXPECT_EQ(model.longestNote, 3);
    EXPECT_EQ(model.totalSteps, 4);
    EXPECT_EQ(model.stepsPerBar, 8);
}

TEST(RollBuilder, IgnoresReleasesOfSilentPitchesAndEndsRestruckOnes) {
    RollBuilder builder(3, 60);
    builder.noteOff(RollVoice::Melody, 0, 0);  // a rest's release of nothing
    builder.noteOn(RollVoice::Melody, 0, 60, 5);
    builder.noteOn(RollVoice::Melody, 2, 60, 7);  // struck again: the first one ends here
    builder.noteOn(RollVoice::Chord, 2, 48, 7);
    builder.noteOn(RollVoice::Chord, 2, 48, 7);  // a doubled chord note is one note
    const RollModel model = builder.finish(5);

    ASSERT_EQ(model.notes.size(), 3u);
    EXPECT_EQ(model.notes[0], (RollNote{0, 2, 60, RollVoice::Melody, 5}));
    EXPECT_EQ(model.notes[1], (RollNote{2, 3, 60, RollVoice::Melody, 7}));
    EXPECT_EQ(model.notes[2], (RollNote{2, 3, 48, RollVoice::Chord, 7}));
    EXPECT_EQ(model.stepsPerBar, 6);
}

TEST(RollBuilder, SoundingNotesReachTheCurrentStepUntilReleased) {
    RollBuilder builder(0, 60);
    builder.noteOn(RollVoice::Chord, 2, 50, 1);
    builder.noteOn(RollVoice::Chord, 2, 55, 1);
    EXPECT_EQ(builder.peek(6).notes[0].lengthSteps, 4);
    builder.allOff(RollVoice::Chord, 7);
    const RollModel& model = builder.peek(20);
    EXPECT_EQ(model.notes[0].lengthSteps, 5);
    EXPECT_EQ(model.notes[1].lengthSteps, 5);
    EXPECT_EQ(model.totalSteps, 20);
    EXPECT_EQ(model.stepsPerBar, 0);
}

TEST(RollBuilder, MergesPassesByStartStep) {
    RollBuilder builder(4, 60);
    builder.noteOn(RollVoice::Melody, 0, 70, 0);
    builder.noteOn(RollVoice::Melody, 3, 72, 3);
    builder.noteOn(RollVoice::Chord, 1, 50, 1);  // the chord pass comes after the whole melody
    const RollModel model = builder.finish(4);
    ASSERT_EQ(model.notes.size(), 3u);
    EXPECT_EQ(model.notes[0].startStep, 0);
    EXPECT_EQ(model.notes[1].startStep, 1);
    EXPECT_EQ(model.notes[2].startStep, 3);
    EXPECT_EQ(model.notes[2].lengthSteps, 1);
}

}  // namespace
}  // namespace velmora
