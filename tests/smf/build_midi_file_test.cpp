#include "smf/build_midi_file.h"

#include <gtest/gtest.h>

#include "export_fixtures.h"

namespace velmora {
namespace {

using testing::buildAndSplit;
using testing::Bytes;
using testing::requestFor;

const std::vector<std::string> kEmptyLines = {"", "", ""};
const std::vector<std::string> kPoem = {"THE QUICK BROWN FOX, JUMPS OVER", "",
                                        "THE LAZY DOG;^ 1234 *AND* REST", "\tONE MORE LINE^^"};

Bytes conductorBody(const ExportRequest& request) { return buildAndSplit(request).chunks.at(1).body; }

// The events of the conductor track after the text event (which is 14 bytes).
Bytes conductorEvent(const ExportRequest& request, std::size_t offset, std::size_t size) {
    const Bytes body = conductorBody(request);
    return Bytes(body.begin() + 14 + offset, body.begin() + 14 + offset + size);
}

Bytes timeSignature(std::int32_t meterKind) {
    return conductorEvent(requestFor(kEmptyLines, meterKind), 0, 8);
}
Bytes keySignature(std::uint8_t keyNote) {
    ExportRequest request = requestFor(kEmptyLines);
    request.keyNote = keyNote;
    return conductorEvent(request, 8, 6);
}
Bytes tempoEvent(int tempo) {
    ExportRequest request = requestFor(kEmptyLines);
    request.options.tickMs = tempo;
    return conductorEvent(request, 14, 7);
}

TEST(MidiFileLayout, HeaderAnnouncesFormatOneWithThreeTracksAt16Ticks) {
    const Bytes file = buildAndSplit(requestFor(kPoem)).file;
    const Bytes header(file.begin(), file.begin() + 14);
    EXPECT_EQ(header, (Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3, 0, 0x10}));
}

TEST(MidiFileLayout, ConductorTrackHoldsTextMeterKeyAndTempo) {
    ExportRequest request = requestFor(kPoem, 3);
    request.keyNote = 62;  // D: two sharps
    const Bytes file = buildAndSplit(request).file;

    EXPECT_EQ(Bytes(file.begin() + 14, file.begin() + 22),
              (Bytes{'M', 'T', 'r', 'k', 0x00, 0x00, 0x00, 0x27}));
    const Bytes expected = {0x00, 0xFF, 0x01, 0x0A, 'T',  'a',  'r',  'n',  'o',  'v',  'e',  'l',  'l',
                            'e',  0x00, 0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08, 0x00, 0xFF, 0x59, 0x02,
                            0x02, 0x00, 0x00, 0xFF, 0x51, 0x03, 0x06, 0x1A, 0x80, 0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(Bytes(file.begin() + 22, file.begin() + 22 + 39), expected);
}

TEST(MidiFileLayout, ConductorLengthDoesNotDependOnTheOptions) {
    for (int tempo : {30, 80, 1000, 5000}) {
        for (std::int32_t meterKind : {0, 3, 4}) {
            ExportRequest request = requestFor(kPoem, meterKind);
            request.options.tickMs = tempo;
            request.keyNote = 74;
            const Bytes file = buildAndSplit(request).file;
            EXPECT_EQ(Bytes(file.begin() + 18, file.begin() + 22), (Bytes{0, 0, 0, 0x27}));
        }
    }
}

TEST(MidiFileLayout, TimeSignatureNumeratorIsTheMeterKind) {
    EXPECT_EQ(timeSignature(4), (Bytes{0x00, 0xFF, 0x58, 0x04, 4, 0x02, 0x18, 0x08}));
    EXPECT_EQ(timeSignature(3), (Bytes{0x00, 0xFF, 0x58, 0x04, 3, 0x02, 0x18, 0x08}));
    EXPECT_EQ(timeSignature(0), (Bytes{0x00, 0xFF, 0x58, 0x04, 0, 0x02, 0x18, 0x08}));
}

TEST(MidiFileLayout, TempoIsTwoTimerIntervalsPerQuarterNote) {
    EXPECT_EQ(tempoEvent(80), (Bytes{0x00, 0xFF, 0x51, 0x03, 0x02, 0x71, 0x00}));    // 160000 us
    EXPECT_EQ(tempoEvent(1000), (Bytes{0x00, 0xFF, 0x51, 0x03, 0x1E, 0x84, 0x80}));  // 2000000 us
    // The timer never runs faster than 50 ms nor slower than 1000 ms.
    EXPECT_EQ(tempoEvent(30), (Bytes{0x00, 0xFF, 0x51, 0x03, 0x01, 0x86, 0xA0}));  // 100000 us
    EXPECT_EQ(tempoEvent(5000), tempoEvent(1000));
}

TEST(MidiFileLayout, KeySignatureFollowsTheKeyNotesPitchClass) {
    auto sharpsOrFlats = [](std::uint8_t keyNote) { return keySignature(keyNote).at(4); };
    EXPECT_EQ(keySignature(60), (Bytes{0x00, 0xFF, 0x59, 0x02, 0x00, 0x00}));  // C, major
    EXPECT_EQ(sharpsOrFlats(61), 0xFB);                                        // D-flat: five flats
    EXPECT_EQ(sharpsOrFlats(63), 0xFD);                                        // E-flat
    EXPECT_EQ(sharpsOrFlats(66), 0xFA);                                        // G-flat: six flats
    EXPECT_EQ(sharpsOrFlats(71), 0x05);                                        // B: five sharps
    // Only the pitch class counts: the lowest and highest key notes.
    EXPECT_EQ(sharpsOrFlats(46), sharpsOrFlats(58));  // B-flat
    EXPECT_EQ(sharpsOrFlats(74), 0x02);               // D
}

TEST(MidiFileTracks, EmptyLinesGiveTracksWithOnlyTheirSetup) {
    ExportRequest request = requestFor(kEmptyLines);
    request.options.backingInstrument = 5;
    request.options.soloInstrument = 40;
    request.options.backingReverb = 20;
    request.options.melodyReverb = 30;

    const auto oneChannel = buildAndSplit(request);
    ASSERT_EQ(oneChannel.chunks.size(), 4u);
    EXPECT_EQ(oneChannel.melodyBody(),
              (Bytes{0x00, 0xC0, 5, 0x00, 0xB0, 0x5B, 30, 0x00, 0xB0, 0x0A, 0x40, 0x40, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(oneChannel.chordBody(),
              (Bytes{0x00, 0xC1, 5, 0x00, 0xB1, 0x5B, 20, 0x00, 0xB1, 0x0A, 0x40, 0x40, 0xFF, 0x2F, 0x00}));

    // Two channels: the solo instrument leads, and the chord track has no pan.
    request.options.twoChannels = true;
    const auto twoChannels = buildAndSplit(request);
    EXPECT_EQ(twoChannels.melodyBody(),
              (Bytes{0x00, 0xC0, 40, 0x00, 0xB0, 0x5B, 30, 0x00, 0xB0, 0x0A, 0x40, 0x40, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(twoChannels.chordBody(), (Bytes{0x00, 0xC1, 5, 0x00, 0xB1, 0x5B, 20, 0x40, 0xFF, 0x2F, 0x00}));
}

TEST(MidiFileTracks, ComboWithoutSelectionGivesProgramZero) {
    for (bool twoChannels : {false, true}) {
        ExportRequest request = requestFor(kEmptyLines);
        request.options.backingInstrument = -1;
        request.options.soloInstrument = -1;
        request.options.twoChannels = twoChannels;
        const auto tracks = buildAndSplit(request);
        EXPECT_EQ(Bytes(tracks.melodyBody().begin(), tracks.melodyBody().begin() + 3),
                  (Bytes{0x00, 0xC0, 0}));
        EXPECT_EQ(Bytes(tracks.chordBody().begin(), tracks.chordBody().begin() + 3), (Bytes{0x00, 0xC1, 0}));
    }
}

TEST(MidiFileTracks, ControllerValuesStayDataBytes) {
    ExportRequest request = requestFor(kEmptyLines);
    request.options.backingReverb = 300;
    request.options.melodyReverb = -4;
    const auto tracks = buildAndSplit(request);
    EXPECT_EQ(tracks.melodyBody().at(6), 0);
    EXPECT_EQ(tracks.chordBody().at(6), 127);
}

TEST(MidiFileTracks, EveryChunkLengthCoversExactlyItsEvents) {
    for (bool twoChannels : {false, true}) {
        ExportRequest request = requestFor(kPoem);
        request.options.twoChannels = twoChannels;
        request.options.scalePattern = 10;  // random alternatives in the letter table
        const auto tracks = buildAndSplit(request);

        // splitChunks walks the file by the length fields alone and must end exactly at its end.
        ASSERT_EQ(tracks.chunks.size(), 4u);
        EXPECT_EQ(tracks.chunks[0].type, "MThd");
        for (std::size_t i = 1; i < 4; ++i) {
            EXPECT_EQ(tracks.chunks[i].type, "MTrk");
            // Each track decodes up to its last byte and ends with End of Track, once.
            const auto events = testing::parseTrack(tracks.chunks[i].body);
            ASSERT_FALSE(events.empty());
            EXPECT_TRUE(events.back().isMeta(0x2F));
            for (std::size_t e = 0; e + 1 < events.size(); ++e) EXPECT_FALSE(events[e].isMeta(0x2F));
        }
    }
}

TEST(MidiFileTracks, MelodyOnChannelZeroChordsOnChannelOneEndingAfter64Ticks) {
    const auto tracks = buildAndSplit(requestFor(kPoem));
    const auto melody = testing::parseTrack(tracks.melodyBody());
    const auto chords = testing::parseTrack(tracks.chordBody());

    int melodyNotes = 0;
    for (const auto& event : melody) {
        if (event.channel() >= 0) {
            EXPECT_EQ(event.channel(), 0);
        }
        melodyNotes += event.isNoteOn();
    }
    int chordNotes = 0;
    for (const auto& event : chords) {
        if (event.channel() >= 0) {
            EXPECT_EQ(event.channel(), 1);
        }
        chordNotes += event.isNoteOn();
    }
    EXPECT_GT(melodyNotes, 0);
    EXPECT_GT(chordNotes, 0);
    EXPECT_EQ(melody.back().delta, 64u);
    EXPECT_EQ(chords.back().delta, 64u);
}

TEST(MidiFileBuild, TextWithoutAnyLineIsRefused) {
    SeededRandom rng(1);
    try {
        buildMidiFile(requestFor({}), rng);
        FAIL() << "an empty text was exported";
    } catch (const ExportError& error) {
        EXPECT_STREQ(error.what(), "nothing to export: the text is empty");
    }
}

TEST(MidiFileBuild, SameSeedGivesTheSameFile) {
    ExportRequest request = requestFor(kPoem);
    request.options.scalePattern = 11;
    EXPECT_EQ(buildAndSplit(request, 99).file, buildAndSplit(request, 99).file);
}

}  // namespace
}  // namespace velmora
