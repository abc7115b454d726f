#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "midi/midi_out_port.h"
#include "sound/capture_file_backend.h"
#include "sound/fluid_backend.h"
#include "sound/fluid_synth_instance.h"
#include "sound/jack_environment.h"
#include "sound/midi_backend_factory.h"
#include "sound/soundfont_locator.h"

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
    port.open();
    port.programChange(5, 0);  // at tick 0, the start's
    backend.beginTick(7);
    port.noteOn(60, 100, 1);
    port.noteOff(60, 1);
    port.close();

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
    EXPECT_EQ(parsed[0].status, 0xC0u);
    EXPECT_EQ(parsed[0].data1, 5u);
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

TEST(MidiBackendFactory, ExplainsAnOutputItDoesNotKnow) {
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
    preventJackServerAutostart();  // as the programs do at start-up
    const std::vector<MidiOutputEntry> outputs = listMidiOutputs();
    ASSERT_GE(outputs.size(), 4u);
    EXPECT_EQ(outputs[0].name, "fluidsynth");
    for (const MidiOutputEntry& entry : outputs) EXPECT_FALSE(entry.description.empty()) << entry.name;
}

TEST(PortBackend, FailsClearlyWhenNoPortMatches) {
    preventJackServerAutostart();  // as the programs do at start-up
    MidiBackendChoice choice = createMidiBackend("port:NoSuchPortAnywhere42", "");
    ASSERT_TRUE(choice.backend);
    EXPECT_FALSE(choice.backend->open());
    const std::string error = choice.backend->lastError();
    EXPECT_NE(error.find("NoSuchPortAnywhere42"), std::string::npos) << error;
    EXPECT_NE(error.find("--output"), std::string::npos) << error;

    // The port drops everything after the failed open, as the performance goes on.
    MidiOutPort port(*choice.backend);
    port.open();
    EXPECT_FALSE(port.openError().empty());
    port.noteOn(60, 100, 0);
    port.close();
}

TEST(FluidSynthBackend, ExplainsAMissingSoundfont) {
    FluidSynthBackend backend("/nonexistent/General.sf2");
    EXPECT_FALSE(backend.open());
    EXPECT_NE(backend.lastError().find("/nonexistent/General.sf2"), std::string::npos) << backend.lastError();
    EXPECT_NE(backend.lastError().find("--soundfont"), std::string::npos) << backend.lastError();
    backend.sendShortMessage(0x90, 60, 100);  // dropped: not connected
    backend.close();
}

TEST(Soundfont, NamesWhatAPathIsWhenItCannotBeASoundfont) {
    const fs::path folder = scratchFile("fonts");
    fs::create_directories(folder);
    EXPECT_NE(soundfontFileProblem(folder.string()).find("is a folder"), std::string::npos);
    const fs::path fifo = scratchFile("font.fifo");
    fs::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_NE(soundfontFileProblem(fifo.string()).find("special file"), std::string::npos);
    const fs::path text = scratchFile("notes.sf2");
    std::ofstream(text) << "RIFF\x10\0\0\0WAVEfmt not a soundfont";
    EXPECT_NE(soundfontFileProblem(text.string()).find("not a SoundFont file"), std::string::npos);
    EXPECT_NE(soundfontFileProblem(scratchFile("missing.sf2").string()).find("does not exist"), std::string::npos);
    if (const std::string real = locateSoundfont(""); !real.empty()) {
        EXPECT_EQ(soundfontFileProblem(real), "");
    }
}

TEST(Soundfont, ABrokenSoundfontIsReportedWithoutTheLibrariesPrinting) {
    // A SoundFont header with nothing behind it: FluidSynth refuses it and then
    // hands it to the instrument-patch library, which complains on stderr.
    const fs::path broken = scratchFile("broken.sf2");
    std::ofstream(broken, std::ios::binary).write("RIFF\x10\0\0\0sfbkLIST", 16);
    const fs::path errors = scratchFile("stderr.txt");
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    const int capture = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(capture, STDERR_FILENO);
    std::string error;
    FluidSynthInstance::Options options;
    options.soundfont = broken.string();
    const auto synth = FluidSynthInstance::create(options, error);
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    ::close(capture);
    EXPECT_EQ(synth, nullptr);
    EXPECT_NE(error.find(broken.string()), std::string::npos) << error;
    std::ifstream printed(errors);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(printed), {}), "");
}

TEST(MidiBackendFactory, ChecksAnOutputBeforeThePerformance) {
    const fs::path capture = scratchFile("checked.cap");
    MidiBackendChoice writable = createMidiBackend("capture:" + capture.string(), "");
    EXPECT_EQ(checkMidiOutput(*writable.backend, true), "");
    EXPECT_FALSE(fs::exists(capture)) << "the check wrote the capture";

    MidiBackendChoice unwritable = createMidiBackend("capture:" + scratchFile("none/x.cap").string(), "");
    EXPECT_NE(checkMidiOutput(*unwritable.backend, true).find("none/x.cap"), std::string::npos);

    const fs::path folder = scratchFile("soundfonts");
    fs::create_directories(folder);
    MidiBackendChoice synth = createMidiBackend("fluidsynth", folder.string());
    // Without connecting, only the soundfont is tried: no audio stream is needed.
    EXPECT_NE(checkMidiOutput(*synth.backend, false).find("is a folder"), std::string::npos);
}

}  // namespace
}  // namespace velmora
