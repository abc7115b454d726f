#include "smf/midi_file_reader.h"

#include <gtest/gtest.h>

#include "support/smf_bytes.h"
#include "smf/midi_file_timeline.h"

namespace velmora {
namespace {

using test::SmfBytes;
using Kind = MidiFileEvent::Kind;

// The shape our exporter writes: format 1, division 16, a conductor track with
// text, time signature, key signature and tempo, then a music track.
SmfBytes exportedShape() {
    std::vector<std::uint8_t> conductor = {0x00, 0xFF, 0x01, 0x03, 'a',  'b',  'c',  0x00, 0xFF, 0x58, 0x04,
                                           4,    2,    24,   8,    0x00, 0xFF, 0x59, 0x02, 0xFB, 0x00};
    const auto tempo = test::tempoEvent(400000);
    conductor.insert(conductor.end(), tempo.begin(), tempo.end());
    conductor.insert(conductor.end(), {0x00, 0xFF, 0x2F, 0x00});
    SmfBytes file(1, 2, 16);
    file.track(conductor);
    file.track({0x00, 0xC0, 40,            // program change
                0x00, 0xB0, 0x5B, 30,      // reverb
                0x40, 0x90, 60,   100,     // note on after 64 ticks
                0x81, 0x00, 0x80, 60,  0,  // note off after 128 ticks (two-byte delta)
                0x40, 0xFF, 0x2F, 0x00});
    return file;
}

TEST(MidiFileReader, ReadsTheExportedLayout) {
    const MidiFileReadResult result = readMidiFile(exportedShape().bytes());
    ASSERT_TRUE(result.content) << result.error;
    const MidiFileContent& content = *result.content;
    EXPECT_EQ(content.format, 1);
    EXPECT_EQ(content.division, 16);
    ASSERT_EQ(content.tracks.size(), 2u);

    ASSERT_EQ(content.tracks[0].size(), 1u);  // only the tempo matters for sound
    EXPECT_EQ(content.tracks[0][0].kind, Kind::Tempo);
    EXPECT_EQ(content.tracks[0][0].microsecondsPerQuarter, 400000u);

    const auto& music = content.tracks[1];
    ASSERT_EQ(music.size(), 4u);
    EXPECT_EQ(music[0].status, 0xC0);
    EXPECT_EQ(music[0].data1, 40);
    EXPECT_EQ(music[0].data2, 0);
    EXPECT_EQ(music[1].data2, 30);
    EXPECT_EQ(music[2].tick, 64u);
    EXPECT_EQ(music[2].status, 0x90);
    EXPECT_EQ(music[3].tick, 64u + 128u);
    EXPECT_EQ(music[3].status, 0x80);
}

TEST(MidiFileReader, FollowsRunningStatusAndSkipsSysexAndUnknownChunks) {
    SmfBytes file(0, 1, 96);
    std::vector<std::uint8_t> bytes = file.bytes();
    bytes.insert(bytes.end(), {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2});  // an unknown chunk before the track
    const std::vector<std::uint8_t> events = {0x00, 0xF0, 0x02, 0x7E, 0xF7,  // system exclusive
                                              0x00, 0x90, 60,   90,          // note on
                                              0x10, 64,   90,  // running status: another note on
                                              0x10, 0xC1, 5,   // program change, one data byte
                                              0x00, 7,         // running status with one data byte
                                              0x00, 0xFF, 0x2F, 0x00};
    bytes.insert(bytes.end(), {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(events.size())});
    bytes.insert(bytes.end(), events.begin(), events.end());

    const MidiFileReadResult result = readMidiFile(bytes);
    ASSERT_TRUE(result.content) << result.error;
    const auto& track0 = result.content->tracks.at(0);
    ASSERT_EQ(track0.size(), 4u);
    EXPECT_EQ(track0[1].status, 0x90);
    EXPECT_EQ(track0[1].data1, 64);
    EXPECT_EQ(track0[1].tick, 16u);
    EXPECT_EQ(track0[3].status, 0xC1);
    EXPECT_EQ(track0[3].data1, 7);
    EXPECT_EQ(track0[3].tick, 32u);
}

TEST(MidiFileReader, RejectsMalformedFilesWithAReason) {
    const std::vector<std::vector<std::uint8_t>> bad = {
        {},
        {'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 0, 16},
        SmfBytes(1, 2, 16).track({0x00, 0xFF, 0x2F, 0x00}).bytes(),  // announces 2 tracks, holds 1
        SmfBytes(0, 1, 0).track({0x00, 0xFF, 0x2F, 0x00}).bytes(),   // division 0
        SmfBytes(0, 1, 16).track({0x00, 60, 100}).bytes(),           // data byte with no status before it
        SmfBytes(0, 1, 16).track({0x00, 0x90, 60}).bytes(),          // note on cut short
        SmfBytes(0, 1, 16).track({0xFF, 0xFF, 0xFF, 0xFF, 0x7F}).bytes(),     // five-byte delta
        SmfBytes(0, 1, 16).track({0x00, 0xFF, 0x01, 0x7F, 'x'}).bytes(),      // meta longer than the track
        SmfBytes(0, 1, 16).track({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}).bytes(),  // tempo zero
        SmfBytes(0, 1, 16).track({0x00, 0x90, 60, 0x90}).bytes(),  // status byte where velocity belongs
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const MidiFileReadResult result = readMidiFile(bad[i]);
        EXPECT_FALSE(result.content) << "case " << i;
        EXPECT_FALSE(result.error.empty()) << "case " << i;
    }
}

TEST(MidiFileReader, NamesTheTrackOfAnError) {
    auto bytes = SmfBytes(1, 2, 16).track({0x00, 0xFF, 0x2F, 0x00}).track({0x00, 0x90}).bytes();
    const MidiFileReadResult result = readMidiFile(bytes);
    ASSERT_FALSE(result.content);
    EXPECT_NE(result.error.find("track 2"), std::string::npos) << result.error;
}

TEST(MidiFileReader, SurvivesEveryTruncationAndByteFlip) {
    const std::vector<std::uint8_t> good = exportedShape().bytes();
    for (std::size_t length = 0; length < good.size(); ++length) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        const MidiFileReadResult result = readMidiFile(cut);
        EXPECT_TRUE(result.content || !result.error.empty());
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (std::uint8_t value : {0x00, 0x7F, 0x80, 0xFF}) {
            std::vector<std::uint8_t> flipped = good;
            flipped[at] = value;
            const MidiFileReadResult result = readMidiFile(flipped);
            EXPECT_TRUE(result.content || !result.error.empty());
        }
    }
}

TEST(MidiFileTimeline, AppliesTempoChangesToEveryTrack) {
    // 480 ticks per quarter; 500000 µs until tick 960, then 250000 µs.
    std::vector<std::uint8_t> conductor = {0x87, 0x40, 0xFF, 0x51, 0x03, 0x03,
                                           0xD0, 0x90, 0x00, 0xFF, 0x2F, 0x00};
    auto bytes = SmfBytes(1, 2, 480)
                     .track(conductor)
                     .track({0x00, 0x90, 60, 100,        // tick 0
                             0x87, 0x40, 0x90, 62, 100,  // tick 960: 1 s
                             0x83, 0x60, 0x80, 62, 0,    // tick 1440: 1.25 s
                             0x00, 0xFF, 0x2F, 0x00})
                     .bytes();
    const MidiFileReadResult result = readMidiFile(bytes);
    ASSERT_TRUE(result.content) << result.error;
    const std::vector<TimedFileMessage> timeline = midiFileTimeline(*result.content);
    ASSERT_EQ(timeline.size(), 3u);
    EXPECT_DOUBLE_EQ(timeline[0].seconds, 0.0);
    EXPECT_DOUBLE_EQ(timeline[1].seconds, 1.0);
    EXPECT_DOUBLE_EQ(timeline[2].seconds, 1.25);
    EXPECT_EQ(timeline[2].status, 0x80);
}

TEST(MidiFileTimeline, KeepsTrackOrderAtEqualTicks) {
    auto bytes = SmfBytes(1, 2, 16)
                     .track({0x10, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00})
                     .track({0x10, 0x91, 64, 100, 0x00, 0x81, 64, 0, 0x00, 0xFF, 0x2F, 0x00})
                     .bytes();
    const MidiFileReadResult result = readMidiFile(bytes);
    ASSERT_TRUE(result.content) << result.error;
    const auto timeline = midiFileTimeline(*result.content);
    ASSERT_EQ(timeline.size(), 3u);
    EXPECT_EQ(timeline[0].status, 0x90);
    EXPECT_EQ(timeline[1].status, 0x91);
    EXPECT_EQ(timeline[2].status, 0x81);
    EXPECT_DOUBLE_EQ(timeline[0].seconds, 0.5);  // 16 ticks at the default 120 per minute
}

}  // namespace
}  // namespace velmora
