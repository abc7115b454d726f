// Lyric events: on request, each melody note-on follows a lyric event at the
// same time holding the character that made the note; the rest of the file
// is the default file's.
#include <gtest/gtest.h>

#include "documents/cp932_text.h"
#include "documents/text_encoding.h"
#include "export_fixtures.h"

namespace velmora {
namespace {

using testing::Event;

// Mixed case, katakana whose second bytes are letters, punctuation, "^", digits.
const std::vector<std::string> kLyricsText = {"Hello \x83\x8F\x81\x5B\x83\x8B\x83\x68 Mara, QUIET;",
                                        "katakana \x83\x4A\x83\x5E\x83\x4A\x83\x69 ^ 42 zebra"};

class MelodyOnsets final : public RenderObserver {
public:
    void noteWritten(SmfTrack track, std::int32_t, std::uint8_t, std::uint8_t velocity,
                     std::int32_t memoOffset) override {
        if (track == SmfTrack::Melody && velocity > 0) offsets.push_back(memoOffset);
    }
    std::vector<std::int32_t> offsets;
};

// The whole character holding byte `offset` of the text, each line followed by CR LF.
std::string characterAt(const std::vector<std::string>& lines, std::int32_t offset) {
    for (const std::string& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            const std::size_t width = isCp932LeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
            if (offset < static_cast<std::int32_t>(width)) return line.substr(i, width);
            offset -= static_cast<std::int32_t>(width);
            i += width - 1;
        }
        offset -= 2;
    }
    return {};
}

ExportRequest lyricRequest(MidiLyrics lyrics) {
    std::vector<std::string> upper;
    for (const std::string& line : kLyricsText) upper.push_back(upperCp932(line));
    ExportRequest request = testing::requestFor(upper);
    request.options.scalePattern = 9;
    request.textLines = kLyricsText;
    request.lyrics = lyrics;
    return request;
}

// The events of every music track with each lyric event taken out and its
// delta given to the event after it.
std::vector<std::vector<Event>> withoutLyrics(const testing::ExportedTracks& tracks) {
    std::vector<std::vector<Event>> result;
    for (std::size_t chunk = 1; chunk < tracks.chunks.size(); ++chunk) {
        std::vector<Event> events;
        std::uint32_t carried = 0;
        for (Event event : testing::parseTrack(tracks.chunks[chunk].body)) {
            event.delta += carried;
            carried = event.isMeta(0x05) ? event.delta : 0;
            if (!event.isMeta(0x05)) events.push_back(event);
        }
        result.push_back(events);
    }
    return result;
}

TEST(MidiLyrics, EveryMelodyNoteOnFollowsItsCharacterInTheChosenEncoding) {
    for (const MidiLyrics encoding : {MidiLyrics::Utf8, MidiLyrics::Cp932}) {
        MelodyOnsets onsets;
        SeededRandom rng(9);
        const testing::Bytes file = buildMidiFile(lyricRequest(encoding), rng, &onsets);
        const std::vector<Event> melody = testing::parseTrack(testing::splitChunks(file).at(2).body);
        std::vector<std::string> lyrics;
        for (std::size_t i = 0; i < melody.size(); ++i) {
            if (!melody[i].isNoteOn()) continue;
            ASSERT_TRUE(i > 0 && melody[i - 1].isMeta(0x05) && melody[i].delta == 0) << "note-on " << i;
            lyrics.emplace_back(melody[i - 1].bytes.begin() + 3, melody[i - 1].bytes.end());
        }
        std::vector<std::string> expected;
        for (const std::int32_t offset : onsets.offsets) {
            const std::string character = characterAt(kLyricsText, offset);
            expected.push_back(encoding == MidiLyrics::Utf8 ? cp932ToUtf8(character) : character);
        }
        EXPECT_EQ(lyrics, expected);
        // The case reaches katakana made notes by their second byte, and lower case kept.
        EXPECT_NE(std::find(expected.begin(), expected.end(),
                            encoding == MidiLyrics::Utf8 ? "\xE3\x82\xAB" : "\x83\x4A"),
                  expected.end());
        EXPECT_NE(std::find(expected.begin(), expected.end(), "l"), expected.end());
    }
}

TEST(MidiLyrics, AreOffByDefaultAndAddNothingElse) {
    ExportRequest plain = lyricRequest(MidiLyrics::Off);
    const testing::ExportedTracks defaultFile = testing::buildAndSplit(plain);
    plain.textLines.clear();
    EXPECT_EQ(testing::buildAndSplit(plain).file, defaultFile.file);

    for (const MidiLyrics encoding : {MidiLyrics::Utf8, MidiLyrics::Cp932}) {
        const testing::ExportedTracks withLyrics = testing::buildAndSplit(lyricRequest(encoding));
        EXPECT_EQ(withLyrics.chunks.at(0).body, defaultFile.chunks.at(0).body);
        const auto stripped = withoutLyrics(withLyrics);
        const auto expected = withoutLyrics(defaultFile);
        ASSERT_EQ(stripped.size(), expected.size());
        for (std::size_t track = 0; track < stripped.size(); ++track) {
            ASSERT_EQ(stripped[track].size(), expected[track].size()) << "track " << track;
            for (std::size_t i = 0; i < stripped[track].size(); ++i) {
                EXPECT_EQ(stripped[track][i].delta, expected[track][i].delta)
                    << "track " << track << " event " << i;
                EXPECT_EQ(stripped[track][i].bytes, expected[track][i].bytes)
                    << "track " << track << " event " << i;
            }
        }
    }
}

}  // namespace
}  // namespace velmora
