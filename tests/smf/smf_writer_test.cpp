#include "smf/smf_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes deltaFor(std::int32_t ticks) {
    SmfWriter writer;
    writer.setAccumulators(ticks);
    writer.writeDelta(SmfTrack::Melody);
    return writer.bytes();
}

TEST(SmfWriterDelta, VariableLengthQuantityAtGroupBoundaries) {
    EXPECT_EQ(deltaFor(0), (Bytes{0x00}));
    EXPECT_EQ(deltaFor(1), (Bytes{0x01}));
    EXPECT_EQ(deltaFor(127), (Bytes{0x7F}));
    EXPECT_EQ(deltaFor(128), (Bytes{0x81, 0x00}));
    EXPECT_EQ(deltaFor(16383), (Bytes{0xFF, 0x7F}));
    EXPECT_EQ(deltaFor(16384), (Bytes{0x81, 0x80, 0x00}));
    EXPECT_EQ(deltaFor(2097151), (Bytes{0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(deltaFor(2097152), (Bytes{0x81, 0x80, 0x80, 0x00}));
    EXPECT_EQ(deltaFor(0x0FFFFFFF), (Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(SmfWriterDelta, SilenceBeyondFourBytesIsBridgedWithAnEmptyTextEvent) {
    // 2^28 ticks: the largest delta, an empty text event, then the one tick left.
    EXPECT_EQ(deltaFor(0x10000000), (Bytes{0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00, 0x01}));
}

TEST(SmfWriterDelta, WritingResetsOnlyThatTrack) {
    SmfWriter writer;
    writer.setAccumulators(64);
    writer.addStep();
    EXPECT_EQ(writer.accumulator(SmfTrack::Melody), 72);
    EXPECT_EQ(writer.accumulator(SmfTrack::Chord), 72);

    writer.writeDelta(SmfTrack::Chord);
    EXPECT_EQ(writer.bytes(), (Bytes{72}));
    EXPECT_EQ(writer.accumulator(SmfTrack::Chord), 0);
    EXPECT_EQ(writer.accumulator(SmfTrack::Melody), 72);

    // A second event in the same step carries no time.
    writer.writeDelta(SmfTrack::Chord);
    EXPECT_EQ(writer.bytes(), (Bytes{72, 0x00}));
}

TEST(SmfWriterDelta, ValueBelowOneWritesZeroAndKeepsAccumulators) {
    SmfWriter writer;
    writer.setAccumulators(-16);
    writer.writeDelta(SmfTrack::Melody);
    writer.writeDelta(SmfTrack::Chord);
    EXPECT_EQ(writer.bytes(), (Bytes{0x00, 0x00}));
    EXPECT_EQ(writer.accumulator(SmfTrack::Melody), -16);
    EXPECT_EQ(writer.accumulator(SmfTrack::Chord), -16);

    // Two steps bring it to 0: still not above zero, still a zero delta.
    writer.addStep();
    writer.addStep();
    writer.writeDelta(SmfTrack::Melody);
    EXPECT_EQ(writer.bytes().back(), 0x00);
    EXPECT_EQ(writer.accumulator(SmfTrack::Melody), 0);
}

TEST(SmfWriterEvents, ChannelEventsCarryTheirStatusByte) {
    SmfWriter writer;
    writer.writeNoteOn(60, 100, 0);
    writer.writeNoteOn(64, 90, 0);  // no running status
    writer.writeNoteOff(60, 1);
    writer.writeNoteOff(64, 0);
    EXPECT_EQ(writer.bytes(), (Bytes{0x90, 60, 100, 0x90, 64, 90, 0x81, 60, 0x00, 0x80, 64, 0x00}));
}

TEST(SmfWriterEvents, SetupEventsIncludeAZeroDelta) {
    SmfWriter writer;
    writer.writeProgramChange(74, 0);
    writer.writeReverb(40, 1);
    writer.writePan(64, 1);
    writer.writeEndOfTrack();
    EXPECT_EQ(writer.bytes(),
              (Bytes{0x00, 0xC0, 74, 0x00, 0xB1, 0x5B, 40, 0x00, 0xB1, 0x0A, 64, 0xFF, 0x2F, 0x00}));
}

TEST(SmfWriterBuffer, NumbersAreBigEndian) {
    SmfWriter writer;
    writer.writeAscii("MTrk");
    writer.writeU16(0x0102);
    writer.writeU32(0x0A0B0C0D);
    EXPECT_EQ(writer.bytes(), (Bytes{'M', 'T', 'r', 'k', 0x01, 0x02, 0x0A, 0x0B, 0x0C, 0x0D}));
}

TEST(SmfWriterBuffer, PatchingOverwritesInPlaceAndWritingResumesAtTheEnd) {
    SmfWriter writer;
    writer.writeAscii("MTrk");
    writer.writeU32(0);
    writer.writeByte(0xAA);
    writer.writeByte(0xBB);

    writer.patchChunkLength(4, 0x00000102);
    EXPECT_EQ(writer.position(), 8u);
    EXPECT_EQ(writer.bytes().size(), 10u);

    writer.seekToEnd();
    writer.writeByte(0xCC);
    EXPECT_EQ(writer.bytes(), (Bytes{'M', 'T', 'r', 'k', 0x00, 0x00, 0x01, 0x02, 0xAA, 0xBB, 0xCC}));
}

TEST(SmfWriterBuffer, WritingAcrossTheEndOverwritesThenExtends) {
    SmfWriter writer;
    writer.writeU16(0x0102);
    writer.seek(1);
    writer.writeU32(0xA0B0C0D0);
    EXPECT_EQ(writer.bytes(), (Bytes{0x01, 0xA0, 0xB0, 0xC0, 0xD0}));
    EXPECT_EQ(writer.position(), 5u);
}

TEST(SmfWriterBuffer, TakingTheBytesEmptiesTheWriter) {
    SmfWriter writer;
    writer.writeU16(0x1234);
    const Bytes taken = writer.takeBytes();
    EXPECT_EQ(taken, (Bytes{0x12, 0x34}));
    EXPECT_TRUE(writer.bytes().empty());
    EXPECT_EQ(writer.position(), 0u);
}

}  // namespace
}  // namespace velmora
