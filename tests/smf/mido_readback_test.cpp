#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "export_fixtures.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPython = "/usr/bin/python3";

bool midoAvailable() {
    const std::string command = std::string(kPython) + " -c 'import mido' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Runs the reader script and returns its key=value lines.
std::map<std::string, std::string> readWithMido(const fs::path& file) {
    const std::string command = std::string(kPython) + " '" VELMORA_SOURCE_DIR "/tests/smf/read_midi.py' '" +
                                file.string() + "' 2>&1";
    std::map<std::string, std::string> report;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return report;
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    pclose(pipe);

    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) report[line.substr(0, equals)] = line.substr(equals + 1);
    }
    if (report.empty()) ADD_FAILURE() << "mido could not read the file:\n" << output;
    return report;
}

int noteOnCount(const testing::ExportedTracks& tracks) {
    int count = 0;
    for (std::size_t i = 1; i < tracks.chunks.size(); ++i) {
        for (const auto& event : testing::parseTrack(tracks.chunks[i].body)) count += event.isNoteOn();
    }
    return count;
}

TEST(MidoReadback, AnIndependentReaderSeesTheSameFile) {
    if (!midoAvailable()) GTEST_SKIP() << "python3-mido is not installed";

    ExportRequest request =
        testing::requestFor({"HUMPTY DUMPTY SAT ON A WALL,", "HUMPTY DUMPTY HAD A GREAT FALL;^", "",
                             "ALL THE KING'S HORSES 12345"});
    request.options.tickMs = 250;
    request.options.scalePattern = 9;
    const fs::path file = fs::temp_directory_path() / ("velmora-mido-" + std::to_string(getpid()) + ".mid");
    SeededRandom rng(11);
    exportMidiFile(file, request, rng);
    const auto expected = testing::buildAndSplit(request, 11);

    const auto report = readWithMido(file);
    fs::remove(file);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.at("type"), "1");
    EXPECT_EQ(report.at("tracks"), "3");
    EXPECT_EQ(report.at("ticks_per_beat"), "16");
    EXPECT_EQ(report.at("tempo"), "500000");
    const int notes = noteOnCount(expected);
    EXPECT_GT(notes, 0);
    EXPECT_EQ(report.at("notes"), std::to_string(notes));
}

}  // namespace
}  // namespace velmora
