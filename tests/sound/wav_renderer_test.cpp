#include "sound/wav_renderer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/smf_bytes.h"
#include "sound/soundfont_locator.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::SmfBytes;

struct WavContent {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes.at(at + i));
    return value;
}

WavContent readWav(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WavContent wav;
    EXPECT_GE(bytes.size(), 44u);
    if (bytes.size() < 44) return wav;
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(littleEndian(bytes, 4, 4), bytes.size() - 8);
    EXPECT_EQ(littleEndian(bytes, 20, 2), 1u);  // PCM
    wav.channels = static_cast<int>(littleEndian(bytes, 22, 2));
    wav.sampleRate = static_cast<int>(littleEndian(bytes, 24, 4));
    wav.bitsPerSample = static_cast<int>(littleEndian(bytes, 34, 2));
    EXPECT_EQ(bytes.substr(36, 4), "data");
    const std::uint32_t dataBytes = littleEndian(bytes, 40, 4);
    EXPECT_EQ(dataBytes, bytes.size() - 44);
    for (std::size_t at = 44; at + 1 < bytes.size(); at += 2) {
        wav.samples.push_back(static_cast<std::int16_t>(littleEndian(bytes, at, 2)));
    }
    return wav;
}

int peakOf(const std::vector<std::int16_t>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    int peak = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i)
        peak = std::max(peak, std::abs(int{samples[i]}));
    return peak;
}

double rmsOf(const std::vector<std::int16_t>& samples) {
    double sum = 0.0;
    for (std::int16_t s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

// The exporter's shape at 120 quarter notes per minute (division 16, so a tick
// is 1/32 s): piano, one note at `onTick` held for `lengthTicks`.
std::vector<std::uint8_t> oneNote(std::uint8_t onTick, std::uint8_t lengthTicks) {
    std::vector<std::uint8_t> conductor = test::tempoEvent(500000);
    conductor.insert(conductor.end(), {0x00, 0xFF, 0x2F, 0x00});
    return SmfBytes(1, 2, 16)
        .track(conductor)
        .track(
            {0x00,   0xC0, 0,  0x00, 0xB0,        0x5B, 0,  0x00, 0xB0, 0x0A, 0x40,  // no reverb: a clean end
             onTick, 0x90, 60, 110,  lengthTicks, 0x80, 60, 0,    0x40, 0xFF, 0x2F, 0x00})
        .bytes();
}

class WavRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (locateSoundfont("").empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
        folder_ = fs::temp_directory_path() / ("velmora_wav_test_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::vector<fs::path> filesInFolder() const {
        return {fs::directory_iterator(folder_), fs::directory_iterator()};
    }

    fs::path folder_;
};

TEST_F(WavRendererTest, RendersANoteAudiblyAtItsTime) {
    const fs::path path = folder_ / "note.wav";
    // Note on at tick 32 (1 s), off at tick 48 (1.5 s).
    const WavRenderResult result = renderWav(oneNote(32, 16), path.string(), "");
    ASSERT_EQ(result.status, WavRenderResult::Status::Written) << result.error;

    const WavContent wav = readWav(path);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.sampleRate, 44100);
    EXPECT_EQ(wav.bitsPerSample, 16);
    // The last event at 1.5 s plus the two-second tail.
    EXPECT_EQ(wav.samples.size(), static_cast<std::size_t>((44100 * 3 / 2 + 2 * 44100) * 2));
    EXPECT_DOUBLE_EQ(result.musicSeconds, 3.5);

    const std::size_t noteStart = 44100 * 2;  // interleaved index of 1 s
    EXPECT_EQ(peakOf(wav.samples, 0, noteStart - 64 * 2), 0) << "sound before the note-on";
    EXPECT_GT(peakOf(wav.samples, noteStart, noteStart + 44100), 1000);
    EXPECT_GT(rmsOf(wav.samples), 100.0);
}

TEST_F(WavRendererTest, RendersSilenceWhenThereAreNoNotes) {
    const fs::path path = folder_ / "quiet.wav";
    const auto bytes =
        SmfBytes(1, 1, 16).track({0x00, 0xC0, 5, 0x00, 0xB0, 0x5B, 40, 0x10, 0xFF, 0x2F, 0x00}).bytes();
    const WavRenderResult result = renderWav(bytes, path.string(), "");
    ASSERT_EQ(result.status, WavRenderResult::Status::Written) << result.error;
    const WavContent wav = readWav(path);
    EXPECT_EQ(wav.samples.size(), static_cast<std::size_t>(2 * 44100 * 2));
    EXPECT_EQ(peakOf(wav.samples), 0);
}

TEST_F(WavRendererTest, ReportsProgressUpToOne) {
    std::vector<double> reported;
    const WavRenderResult result = renderWav(oneNote(32, 100), (folder_ / "p.wav").string(), "",
                                             [&](double p) { reported.push_back(p); });
    ASSERT_EQ(result.status, WavRenderResult::Status::Written) << result.error;
    ASSERT_GT(reported.size(), 2u);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_GE(reported.front(), 0.0);
    EXPECT_DOUBLE_EQ(reported.back(), 1.0);
}

TEST_F(WavRendererTest, CancelLeavesNoFileAndKeepsTheOldOne) {
    const fs::path path = folder_ / "song.wav";
    std::ofstream(path) << "old";
    std::atomic<bool> cancel{false};
    int calls = 0;
    const WavRenderResult result = renderWav(
        oneNote(32, 100), path.string(), "",
        [&](double) {
            if (++calls == 2) cancel = true;
        },
        &cancel);
    EXPECT_EQ(result.status, WavRenderResult::Status::Cancelled);
    EXPECT_EQ(calls, 2) << "rendering went on after cancel";
    EXPECT_EQ(filesInFolder(), std::vector<fs::path>{path});
    std::ifstream in(path);
    std::string content;
    in >> content;
    EXPECT_EQ(content, "old");
}

TEST_F(WavRendererTest, FailsOnBadMidiDataWithoutWriting) {
    const fs::path path = folder_ / "bad.wav";
    const WavRenderResult result = renderWav({'M', 'T', 'h', 'd', 0, 0}, path.string(), "");
    EXPECT_EQ(result.status, WavRenderResult::Status::Failed);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(WavRendererTest, FailsOnAMissingSoundfontOrFolder) {
    const WavRenderResult noSoundfont =
        renderWav(oneNote(0, 8), (folder_ / "a.wav").string(), "/nonexistent/GM.sf2");
    EXPECT_EQ(noSoundfont.status, WavRenderResult::Status::Failed);
    EXPECT_NE(noSoundfont.error.find("/nonexistent/GM.sf2"), std::string::npos) << noSoundfont.error;

    const WavRenderResult noFolder = renderWav(oneNote(0, 8), (folder_ / "missing" / "a.wav").string(), "");
    EXPECT_EQ(noFolder.status, WavRenderResult::Status::Failed);
    EXPECT_FALSE(noFolder.error.empty());
    EXPECT_TRUE(filesInFolder().empty());
}

}  // namespace
}  // namespace velmora
