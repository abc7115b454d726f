#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "midi/midi_out_port.h"
#include "sound/capture_file_backend.h"
#include "sound/fluid_backend.h"
#include "sound/midi_backend_factory.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

fs::path scratchFile(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("velmora_sound_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

std::vector<std::string> linesOf(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(CaptureFileBackend, WritesTimeTickAndBytesPerMessage) {
    const fs::path path = scratchFile("capture.txt");
    CaptureFileBackend backend(path.string());
    MidiOutPort port(backend);
    port.Open();  // sends omni off at tick 0
    backend.beginTick(7);
    port.NoteOn(60, 100, 1);
    port.NoteOff(60, 1);
    port.Close();

    const std::vector<std::string> lines = linesOf(path);
    ASSERT_EQ(lines.size(), 3u);
    struct Line {
        long long timeNs;
        unsigned tick, status, data1, data2;
    };
    std::vector<Line> parsed;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        Line l{};
        in >> l.timeNs >> l.tick >> l.status >> l.data1 >> l.data2;
        ASSERT_TRUE(in) << line;
        std::string rest;
        EXPECT_FALSE(in >> rest) << "extra field in: " << line;
        parsed.push_back(l);
    }
    EXPECT_EQ(parsed[0].tick, 0u);
    EXPECT_EQ(parsed[0].status, 0xB0u);
    EXPECT_EQ(parsed[0].data1, 124u);
    EXPECT_EQ(parsed[1].tick, 7u);
    EXPECT_EQ(parsed[1].status, 0x91u);
    EXPECT_EQ(parsed[1].data1, 60u);
    EXPECT_EQ(parsed[1].data2, 100u);
    EXPECT_EQ(parsed[2].data2, 0u);
    EXPECT_GT(parsed[0].timeNs, 0);
    EXPECT_LE(parsed[0].timeNs, parsed[1].timeNs);
    EXPECT_LE(parsed[1].timeNs, parsed[2].timeNs);
}

TEST(CaptureFileBackend, ReportsAFileItCannotWrite) {
    CaptureFileBackend backend("/nonexistent-folder/capture.txt");
    EXPECT_FALSE(backend.open());
    EXPECT_NE(backend.lastError().find("/nonexistent-folder/capture.txt"), std::string::npos);
    backend.sendShortMessage(0x90, 60, 100);  // dropped without harm
    backend.close();
}

TEST(MidiBackendFactory, MakesEveryKnownOutput) {
    for (const std::string name : {"", "fluidsynth", "none", "capture:/tmp/x.txt", "port:Synth"}) {
        const MidiBackendChoice choice = createMidiBackend(name, "");
        EXPECT_TRUE(choice.backend) << name << ": " << choice.error;
        EXPECT_TRUE(choice.error.empty()) << name;
    }
    EXPECT_NE(dynamic_cast<FluidSynthBackend*>(createMidiBackend("", "").backend.get()), nullptr);
    EXPECT_NE(dynamic_cast<CaptureFileBackend*>(createMidiBackend("capture:a b.txt", "").backend.get()),
              nullptr);
}

TEST(MidiBackendFactory, ExplainsASpecItDoesNotKnow) {
    const MidiBackendChoice unknown = createMidiBackend("speaker", "");
    EXPECT_FALSE(unknown.backend);
    EXPECT_NE(unknown.error.find("speaker"), std::string::npos);
    EXPECT_NE(unknown.error.find("fluidsynth"), std::string::npos) << "should list the choices";

    for (const std::string name : {"port", "port:", "capture:", "none:x", "fluidsynth:x"}) {
        const MidiBackendChoice bad = createMidiBackend(name, "");
        EXPECT_FALSE(bad.backend) << name;
        EXPECT_NE(bad.error.find("--output"), std::string::npos) << name << ": " << bad.error;
    }
}

TEST(MidiBackendFactory, NoneAcceptsEverything) {
    MidiBackendChoice choice = createMidiBackend("none", "");
    ASSERT_TRUE(choice.backend);
    EXPECT_TRUE(choice.backend->open());
    choice.backend->sendShortMessage(0x90, 60, 100);
    choice.backend->close();
}

TEST(MidiBackendFactory, ListsTheFixedOutputsFirst) {
    setenv("JACK_NO_START_SERVER", "1", 1);
    const std::vector<MidiOutputEntry> outputs = listMidiOutputs();
    ASSERT_GE(outputs.size(), 4u);
    EXPECT_EQ(outputs[0].name, "fluidsynth");
    for (const MidiOutputEntry& entry : outputs) EXPECT_FALSE(entry.description.empty()) << entry.name;
}

TEST(PortBackend, FailsClearlyWhenNoPortMatches) {
    setenv("JACK_NO_START_SERVER", "1", 1);
    MidiBackendChoice choice = createMidiBackend("port:NoSuchPortAnywhere42", "");
    ASSERT_TRUE(choice.backend);
    EXPECT_FALSE(choice.backend->open());
    const std::string error = choice.backend->lastError();
    EXPECT_NE(error.find("NoSuchPortAnywhere42"), std::string::npos) << error;
    EXPECT_NE(error.find("--output"), std::string::npos) << error;

    // The port drops everything after the failed open, as the performance goes on.
    MidiOutPort port(*choice.backend);
    port.Open();
    EXPECT_FALSE(port.openError().empty());
    port.NoteOn(60, 100, 0);
    port.Close();
}

TEST(FluidSynthBackend, ExplainsAMissingSoundfont) {
    FluidSynthBackend backend("/nonexistent/General.sf2");
    EXPECT_FALSE(backend.open());
    EXPECT_NE(backend.lastError().find("/nonexistent/General.sf2"), std::string::npos) << backend.lastError();
    EXPECT_NE(backend.lastError().find("--soundfont"), std::string::npos) << backend.lastError();
    backend.sendShortMessage(0x90, 60, 100);  // dropped: not connected
    backend.close();
}

}  // namespace
}  // namespace velmora
