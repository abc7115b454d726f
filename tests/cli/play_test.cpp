// Live play and offline render through velmora-cli, with outputs that need no
// sound card: a capture file and a WAV file.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <tuple>

#include "cli_process.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// Capture lines are "TIME_NS TICK STATUS DATA1 DATA2"; trace lines lack the time.
std::vector<std::string> withoutTimes(const std::string& capture) {
    std::vector<std::string> result;
    for (const auto& line : lines(capture)) result.push_back(line.substr(line.find(' ') + 1));
    return result;
}

std::vector<std::int64_t> timesOf(const std::string& capture) {
    std::vector<std::int64_t> result;
    for (const auto& line : lines(capture)) result.push_back(std::stoll(line.substr(0, line.find(' '))));
    return result;
}

class PlayTest : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path text = folder.write("song.txt", "Hello world\r\nA quick tune^ for *you*\r\n");
};

TEST_F(PlayTest, ALivePlayCapturesTheSameMessagesTickByTickAsTheTrace) {
    const fs::path capture = folder.file("capture.txt");
    const ProcessResult played = runCli({"play", text.string(), "--seed", "11", "--set", "tempo=80", "--set",
                                         "patern=10", "--output", "capture:" + capture.string()});
    ASSERT_EQ(played.exitCode, 0) << played.err;
    const ProcessResult traced = runCli({"trace", text.string(), "--seed", "11", "--set", "tempo=80", "--set",
                                         "patern=10"});
    ASSERT_EQ(traced.exitCode, 0);
    const std::vector<std::string> expected = lines(traced.out);
    const std::vector<std::string> got = withoutTimes(readFile(capture));
    ASSERT_GE(got.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.begin() + static_cast<long>(expected.size())), expected);
    // After the end wait: all notes off, then the stop's all sound off on both channels.
    EXPECT_EQ(got.back().substr(got.back().find(' ')), " 177 120 0");

    const std::vector<std::int64_t> times = timesOf(readFile(capture));
    const std::int64_t endWait = times.back() - times[expected.size() - 1];
    EXPECT_GE(endWait, 2'900'000'000) << "the stop comes about 3000 ms after the end of the text";
}

TEST_F(PlayTest, SigtermStopsCleanlyWithAllSoundOff) {
    const fs::path capture = folder.file("capture.txt");
    const fs::path longText = folder.write("long.txt", std::string(400, 'a') + "\r\n");
    RunningCli player({"play", longText.string(), "--seed", "1", "--output", "capture:" + capture.string()});
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    player.signal(SIGTERM);
    const ProcessResult r = player.wait();
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::vector<std::string> got = withoutTimes(readFile(capture));
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got[got.size() - 2].substr(got[got.size() - 2].find(' ')), " 176 120 0");
    EXPECT_EQ(got.back().substr(got.back().find(' ')), " 177 120 0");
}

TEST_F(PlayTest, UnknownOutputsAreUsageErrorsAndListingNamesTheChoices) {
    const ProcessResult bad = runCli({"play", text.string(), "--output", "speaker"});
    EXPECT_EQ(bad.exitCode, 2);
    const ProcessResult list = runCli({"play", "--list-outputs"});
    EXPECT_EQ(list.exitCode, 0);
    for (const char* name : {"fluidsynth", "capture:", "none"}) {
        EXPECT_NE(list.out.find(name), std::string::npos) << name;
    }
    // The sound server and buffer: names it knows, and for the built-in synthesizer only.
    for (const auto& [option, value, said] :
         {std::tuple{"--audio-driver", "oss", "pulseaudio, alsa or jack"},
          std::tuple{"--audio-buffer", "huge", "low, standard or safe"}}) {
        const ProcessResult unknown = runCli({"play", text.string(), option, value});
        EXPECT_EQ(unknown.exitCode, 2);
        EXPECT_NE(unknown.err.find(said), std::string::npos) << unknown.err;
    }
    const ProcessResult elsewhere =
        runCli({"play", text.string(), "--output", "none", "--audio-buffer", "safe"});
    EXPECT_EQ(elsewhere.exitCode, 2);
    EXPECT_NE(elsewhere.err.find("built-in synthesizer"), std::string::npos) << elsewhere.err;
}

// 16-bit samples of the "data" chunk of a WAV file.
std::vector<std::int16_t> samplesOf(const std::string& wav) {
    const std::size_t data = wav.find("data", 12);
    if (data == std::string::npos) return {};
    std::vector<std::int16_t> samples((wav.size() - data - 8) / 2);
    std::memcpy(samples.data(), wav.data() + data + 8, samples.size() * 2);
    return samples;
}

TEST_F(PlayTest, RenderWritesAudibleStereoAudio) {
    const fs::path wav = folder.file("song.wav");
    const ProcessResult r = runCli({"render", text.string(), "-o", wav.string(), "--seed", "2"});
    if (r.exitCode == 1 && r.err.find("soundfont") != std::string::npos) GTEST_SKIP() << r.err;
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = readFile(wav);
    ASSERT_GT(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 4), "WAVE");
    int peak = 0;
    for (const std::int16_t s : samplesOf(bytes)) peak = std::max(peak, std::abs(int{s}));
    EXPECT_GT(peak, 1000) << "the music is audible";
}

TEST_F(PlayTest, ANamedOutputThatCannotWorkIsAnErrorBeforeAnythingPlays) {
    const fs::path nowhere = folder.file("missing/capture.txt");
    const ProcessResult capture = runCli({"play", text.string(), "--output", "capture:" + nowhere.string()});
    EXPECT_EQ(capture.exitCode, 1);
    EXPECT_NE(capture.err.find(nowhere.string()), std::string::npos) << capture.err;

    const fs::path fonts = folder.file("fonts");
    fs::create_directories(fonts);
    const ProcessResult soundfont = runCli({"play", text.string(), "--soundfont", fonts.string()});
    EXPECT_EQ(soundfont.exitCode, 1);
    EXPECT_NE(soundfont.err.find("is a folder"), std::string::npos) << soundfont.err;
}

TEST_F(PlayTest, RenderChoosesTheFormatByTheOutputsExtension) {
    const fs::path flac = folder.file("song.FLAC");
    const ProcessResult r = runCli({"render", text.string(), "-o", flac.string(), "--seed", "2"});
    if (r.exitCode == 1 && r.err.find("soundfont") != std::string::npos) GTEST_SKIP() << r.err;
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(flac).substr(0, 4), "fLaC");

    const fs::path other = folder.file("song.aiff");
    const ProcessResult refused = runCli({"render", text.string(), "-o", other.string()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find(".mp3"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(other));
}

TEST_F(PlayTest, RenderToADashWritesStandardOutput) {
    const ProcessResult r = runCli({"render", text.string(), "-o", "-", "--seed", "2"});
    if (r.exitCode == 1 && r.err.find("soundfont") != std::string::npos) GTEST_SKIP() << r.err;
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_GT(r.out.size(), 44u);
    EXPECT_EQ(r.out.substr(0, 4), "RIFF");
    EXPECT_FALSE(fs::exists(fs::current_path() / "-"));
}

TEST_F(PlayTest, AnInterruptedRenderLeavesNoTemporaryFile) {
    std::string longText;
    for (int i = 0; i < 200; ++i) longText += "The morning was cold and bright when Mara left the house.\r\n";
    const fs::path source = folder.write("long.txt", longText);
    const fs::path wav = folder.file("long.wav");
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        RunningCli render({"render", source.string(), "-o", wav.string(), "--no-settings"});
        // Wait until the render is writing its temporary file.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        auto writing = [&] {
            for (const auto& entry : fs::directory_iterator(wav.parent_path())) {
                if (entry.path().filename().string().rfind("long.wav.", 0) == 0) return true;
            }
            return false;
        };
        while (!writing() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        render.signal(signal);
        const ProcessResult r = render.wait();
        if (r.exitCode == 1 && r.err.find("soundfont") != std::string::npos) GTEST_SKIP() << r.err;
        EXPECT_EQ(r.exitCode, 1) << "signal " << signal << ": " << r.err;
        EXPECT_NE(r.err.find("interrupted"), std::string::npos) << r.err;
        for (const auto& entry : fs::directory_iterator(wav.parent_path())) {
            EXPECT_EQ(entry.path().extension(), ".txt") << "left behind: " << entry.path();
        }
    }
    // Started under nohup, the render does not hear the hang-up and finishes.
    const auto previous = std::signal(SIGHUP, SIG_IGN);  // inherited by the child
    RunningCli nohup({"render", source.string(), "-o", wav.string(), "--no-settings"});
    std::signal(SIGHUP, previous);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    nohup.signal(SIGHUP);
    const ProcessResult finished = nohup.wait();
    EXPECT_EQ(finished.exitCode, 0) << finished.err;
    EXPECT_GT(fs::file_size(wav), 1'000'000u);
}

TEST_F(PlayTest, RenderOfAnEmptyTextWritesNothing) {
    const fs::path empty = folder.write("empty.txt", "");
    const fs::path wav = folder.file("empty.wav");
    const ProcessResult r = runCli({"render", empty.string(), "-o", wav.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(fs::exists(wav));
}

}  // namespace
}  // namespace velmora::testing
