#include <gtest/gtest.h>

#include "export_fixtures.h"

namespace velmora {
namespace {

using testing::buildAndSplit;
using testing::requestFor;

// The delta of the first event after the program change, reverb and pan.
std::uint32_t firstMelodyNoteDelta(std::int32_t meterKind) {
    const auto tracks = buildAndSplit(requestFor({"A", "ABC"}, meterKind));
    const auto events = testing::parseTrack(tracks.melodyBody());
    EXPECT_GE(events.size(), 5u);
    const auto& first = events.at(3);
    EXPECT_TRUE(first.isNoteOn());
    return first.delta;
}

TEST(MidiFileLeadIn, OneBarOfTheMeterBeforeTheFirstNote) {
    EXPECT_EQ(firstMelodyNoteDelta(4), 64u);
    EXPECT_EQ(firstMelodyNoteDelta(3), 48u);
}

TEST(MidiFileLeadIn, NoLeadInWithoutARhythm) { EXPECT_EQ(firstMelodyNoteDelta(0), 0u); }

TEST(MidiFileLeadIn, ChordTrackGetsTheSameLeadIn) {
    // The chord at the text's first note sounds with the melody note.
    const auto tracks = buildAndSplit(requestFor({"A", "ABC"}, 4));
    const auto events = testing::parseTrack(tracks.chordBody());
    std::size_t first = 2;  // after program change and reverb, then pan
    while (first < events.size() && !events[first].isNoteOn()) ++first;
    ASSERT_LT(first, events.size());
    EXPECT_EQ(events[first].delta, 64u);
}

}  // namespace
}  // namespace velmora
