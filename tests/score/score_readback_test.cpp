// The MusicXML of example texts under random settings, read back by an
// independent reader (Python's xml.etree and mido) beside the MIDI file of the
// same music: full measures, the MIDI notes, the lyrics, the .mxl container;
// and LilyPond's converter takes each text's first score without a word.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <utility>

#include "documents/temp_folder.h"
#include "score/score_export.h"
#include "score_fixtures.h"

namespace velmora {
namespace {

constexpr const char* kPython = "/usr/bin/python3";

bool midoAvailable() {
    const std::string command = std::string(kPython) + " -c 'import mido' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Settings as a user might leave them, drawn from `seed`.
PerformanceOptions randomSettings(std::uint64_t seed) {
    SeededRandom draw(seed);
    PerformanceOptions options;
    options.scalePattern = draw.below(12);
    options.tonicOnE = draw.below(2) == 1;
    options.keyShift = draw.below(17) - 8;
    selectRhythm(options, draw.below(7));
    options.rhythmCorrection = draw.below(4);
    options.thickChords = draw.below(2) == 1;
    options.octaveDown = draw.below(3) == 0;
    options.chordsAtWordStarts = draw.below(4) != 0;
    options.skipRestsOnBeats = draw.below(2) == 1;
    options.twoChannels = draw.below(2) == 1;
    options.soloRange.high.enabled = draw.below(3) == 0;
    options.soloRange.high.note = 50 + draw.below(40);
    options.backingRange.low.enabled = draw.below(3) == 0;
    options.backingRange.low.note = 36 + draw.below(24);
    options.backingInstrument = draw.below(112);
    options.soloInstrument = draw.below(112);
    options.tickMs = 80 + 10 * draw.below(93);
    return options;
}

// What LilyPond's converter says about a score (nothing when all is well),
// and how it ended; nullopt without LilyPond.
std::optional<std::pair<int, std::string>> convertWithLilyPond(const std::string& score) {
    if (std::system("command -v musicxml2ly >/dev/null") != 0) return std::nullopt;
    const std::string command = "musicxml2ly --loglevel=WARN --output=/dev/null '" + score + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string said;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) said += buffer;
    return std::make_pair(WEXITSTATUS(pclose(pipe)), said);
}

struct Readback {
    int exitCode = -1;
    std::map<std::string, int> counts;
    std::string output;
};

Readback readBack(const std::string& score, const std::string& midi, const std::string& mxl) {
    const std::string command = std::string(kPython) +
                                " '" VELMORA_SOURCE_DIR "/tests/score/check_score.py' '" + score + "' '" +
                                midi + "' '" + mxl + "' 2>&1";
    Readback result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) result.output += buffer;
    result.exitCode = WEXITSTATUS(pclose(pipe));
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            result.counts[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
    }
    return result;
}

TEST(ScoreReadback, ExamplesUnderRandomSettingsReadBackAsTheMidiFilesMusic) {
    if (!midoAvailable()) GTEST_SKIP() << "python3-mido is not installed";
    TempFolder folder;
    writeBytes(folder.file("hard.txt"), testing::kHardText);
    const std::vector<std::string> texts = {
        VELMORA_SOURCE_DIR "/examples/morning-walk.txt", VELMORA_SOURCE_DIR "/examples/evening-poem.txt",
        VELMORA_SOURCE_DIR "/examples/haiku-cp932.txt", VELMORA_SOURCE_DIR "/examples/haiku-utf8.txt",
        folder.file("hard.txt")};
    std::map<std::string, int> totals;
    for (std::size_t t = 0; t < texts.size(); ++t) {
        for (std::uint64_t settings = 1; settings <= 5; ++settings) {
            const std::uint64_t seed = 100 * t + settings;
            SCOPED_TRACE(texts[t] + ", settings " + std::to_string(seed));
            ExportRequest request =
                testing::requestForDocument(loadTextDocument(texts[t]), randomSettings(seed));
            SeededRandom scoreRng(seed);
            exportScore(folder.file("s.musicxml"), ScoreFormat::MusicXml, request, "example", scoreRng);
            SeededRandom mxlRng(seed);
            exportScore(folder.file("s.mxl"), ScoreFormat::Mxl, request, "example", mxlRng);
            request.lyrics = MidiLyrics::Utf8;
            SeededRandom midiRng(seed);
            exportMidiFile(folder.file("s.mid"), request, midiRng);

            const Readback result =
                readBack(folder.file("s.musicxml"), folder.file("s.mid"), folder.file("s.mxl"));
            EXPECT_EQ(result.exitCode, 0) << result.output;
            for (const auto& [name, count] : result.counts) totals[name] += count;
            if (settings > 1) continue;
            if (const auto converted = convertWithLilyPond(folder.file("s.musicxml"))) {
                EXPECT_EQ(*converted, std::make_pair(0, std::string())) << "musicxml2ly";
            }
        }
    }
    // The cases do reach what the reader checks.
    EXPECT_GT(totals["notes"], 1000);
    EXPECT_GT(totals["lyrics"], 500);
    EXPECT_GT(totals["bar_ties"], 20);
}

}  // namespace
}  // namespace velmora
