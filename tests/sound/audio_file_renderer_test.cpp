// The renderer's files in every format, read back through libsndfile, and its
// samples against a plain block-by-block render.
#include "sound/audio_file_renderer.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <tuple>

#include "support/smf_bytes.h"
#include "sound/fluid_synth_instance.h"
#include "smf/midi_file_reader.h"
#include "smf/midi_file_timeline.h"
#include "sound/offline_synth_render.h"
#include "sound/soundfont_locator.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct SoundFileContent {
    int channels = 0;
    int sampleRate = 0;
    std::int64_t frames = 0;
    std::string title;
    std::vector<std::int16_t> samples;
    int peak() const {
        int peak = 0;
        for (std::int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
        return peak;
    }
};

SoundFileContent readSoundFile(const fs::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    SoundFileContent content;
    if (!file) {
        ADD_FAILURE() << "libsndfile cannot read " << path << ": " << sf_strerror(nullptr);
        return content;
    }
    content.channels = info.channels;
    content.sampleRate = info.samplerate;
    if (const char* title = sf_get_string(file, SF_STR_TITLE)) content.title = title;
    std::vector<std::int16_t> buffer(4096 * static_cast<std::size_t>(std::max(info.channels, 1)));
    while (const sf_count_t got = sf_readf_short(file, buffer.data(), 4096)) {
        content.frames += got;
        content.samples.insert(content.samples.end(), buffer.begin(), buffer.begin() + got * info.channels);
    }
    sf_close(file);
    return content;
}

// Division 16 at 120 quarter notes per minute: a tick is 1/32 s. A melody of
// eighth notes on channel 0 and a held triad on channel 1, both sending to the
// reverb, so voices and effects are all heard.
std::vector<std::uint8_t> melodyAndChord(int notes) {
    std::vector<std::uint8_t> conductor = test::tempoEvent(500000);
    conductor.insert(conductor.end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> melody = {0x00, 0xC0, 73, 0x00, 0xB0, 0x5B, 40};
    for (int i = 0; i < notes; ++i) {
        const auto note = static_cast<std::uint8_t>(60 + (i * 5) % 17);
        melody.insert(melody.end(), {0x00, 0x90, note, 100, 0x08, 0x80, note, 0});
    }
    melody.insert(melody.end(), {0x00, 0xFF, 0x2F, 0x00});
    const std::vector<std::uint8_t> chord = {0x00, 0xC1, 0,  0x00, 0xB1, 0x5B, 60,   0x00, 0x91, 48, 90, 0x00,
                                             0x91, 52,   90, 0x00, 0x91, 55,   90,   0x40, 0x81, 48, 0,  0x00,
                                             0x81, 52,   0,  0x00, 0x81, 55,   0,    0x00, 0xFF, 0x2F, 0x00};
    return test::SmfBytes(1, 3, 16).track(conductor).track(melody).track(chord).bytes();
}

// The reference: every 64-frame block rendered by its own call, each message
// applied before the block that holds its frame, rounded to 16 bits.
std::vector<std::int16_t> plainBlockRender(const std::vector<std::uint8_t>& smf) {
    const MidiFileReadResult file = readMidiFile(smf);
    const std::vector<TimedFileMessage> timeline = midiFileTimeline(*file.content);
    std::string error;
    const auto synth = createOfflineSynth("", error);
    const std::int64_t total = std::llround(timeline.back().seconds * 44100) + 2 * 44100;
    std::vector<std::int16_t> samples;
    std::size_t next = 0;
    float left[64];
    float right[64];
    for (std::int64_t block = 0; block < total; block += 64) {
        for (; next < timeline.size() && std::llround(timeline[next].seconds * 44100) < block + 64; ++next) {
            synth->applyMessage(timeline[next].status, timeline[next].data1, timeline[next].data2);
        }
        const int frames = static_cast<int>(std::min<std::int64_t>(64, total - block));
        fluid_synth_write_float(synth->synth(), frames, left, 0, 1, right, 0, 1);
        for (int i = 0; i < frames; ++i) {
            for (float value : {left[i], right[i]}) {
                const float scaled = std::clamp(value * 32767.0f, -32768.0f, 32767.0f);
                samples.push_back(static_cast<std::int16_t>(std::lround(scaled)));
            }
        }
    }
    return samples;
}

class AudioFileRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (locateSoundfont("").empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
        folder_ = fs::temp_directory_path() / ("velmora_audio_test_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    AudioRenderResult render(const std::vector<std::uint8_t>& smf, const fs::path& path, AudioFileFormat format,
                             const std::string& title = {}) {
        return renderAudioFile({smf, path.string(), format, "", title});
    }

    std::vector<fs::path> filesInFolder() const {
        return {fs::directory_iterator(folder_), fs::directory_iterator()};
    }

    // A device node made here (never the machine's own /dev); false where nodes cannot be made.
    bool makeCharacterDevice(const fs::path& path, unsigned major, unsigned minor) {
        return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(major, minor)) == 0;
    }

    fs::path folder_;
};

TEST_F(AudioFileRendererTest, EveryFormatReadsBackWithItsLengthSoundAndTitle) {
    const auto smf = melodyAndChord(16);  // 16 eighth notes: 4 s, then the 2 s tail
    for (const AudioFileFormatInfo& format : audioFileFormats()) {
        SCOPED_TRACE(format.name);
        const fs::path path = folder_ / (std::string("tune") + format.extension);
        const AudioRenderResult result = render(smf, path, format.format, "Morning walk");
        ASSERT_EQ(result.status, AudioRenderResult::Status::Written) << result.error;
        EXPECT_DOUBLE_EQ(result.musicSeconds, 6.0);

        const SoundFileContent content = readSoundFile(path);
        EXPECT_EQ(content.channels, 2);
        EXPECT_EQ(content.sampleRate, 44100);
        EXPECT_NEAR(static_cast<double>(content.frames) / 44100.0, result.musicSeconds, 0.05);
        EXPECT_GT(content.peak(), 1000) << "silent";
        EXPECT_EQ(content.title, "Morning walk");
    }
    EXPECT_EQ(filesInFolder().size(), audioFileFormats().size()) << "a temporary file was left";
}

TEST_F(AudioFileRendererTest, LosslessFilesHoldExactlyThePlainBlockByBlockRender) {
    const auto smf = melodyAndChord(40);
    const std::vector<std::int16_t> expected = plainBlockRender(smf);
    for (AudioFileFormat format : {AudioFileFormat::Wav, AudioFileFormat::Flac}) {
        const fs::path path = folder_ / (std::string("exact") + audioFileFormatInfo(format).extension);
        ASSERT_EQ(render(smf, path, format).status, AudioRenderResult::Status::Written);
        const SoundFileContent content = readSoundFile(path);
        ASSERT_EQ(content.samples.size(), expected.size()) << audioFileFormatInfo(format).name;
        const auto mismatch = std::mismatch(content.samples.begin(), content.samples.end(), expected.begin());
        EXPECT_EQ(mismatch.first, content.samples.end())
            << audioFileFormatInfo(format).name << ": first differing sample at "
            << (mismatch.first - content.samples.begin());
    }
}

// A decoded channel against the WAV's: the correlation where they line up
// best (the encoder's delay, either way), and the ratio of their loudness.
struct Likeness {
    double correlation = -1;
    double loudness = 0;
};

Likeness compareAt(const std::vector<std::int16_t>& wav, const std::vector<std::int16_t>& decoded, int channel,
                   std::ptrdiff_t lag, std::size_t from, std::size_t to) {
    double product = 0, wavEnergy = 0, decodedEnergy = 0;
    for (std::size_t frame = from; frame < to; ++frame) {
        const auto shifted = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(frame) + lag);
        if (2 * shifted + 1 >= decoded.size() || 2 * frame + 1 >= wav.size()) break;
        const double a = static_cast<double>(wav[2 * frame + static_cast<std::size_t>(channel)]);
        const double b = static_cast<double>(decoded[2 * shifted + static_cast<std::size_t>(channel)]);
        product += a * b;
        wavEnergy += a * a;
        decodedEnergy += b * b;
    }
    return {product / std::sqrt(wavEnergy * decodedEnergy + 1e-9), std::sqrt(decodedEnergy / (wavEnergy + 1e-9))};
}

Likeness likeness(const std::vector<std::int16_t>& wav, const std::vector<std::int16_t>& decoded, int channel) {
    constexpr std::ptrdiff_t kMostDelay = 3000;
    // The lag from a quarter second of the music's first second, then the whole.
    std::ptrdiff_t bestLag = 0;
    double best = -2;
    for (std::ptrdiff_t lag = -kMostDelay; lag <= kMostDelay; ++lag) {
        const double correlation = compareAt(wav, decoded, channel, lag, kMostDelay, kMostDelay + 11025).correlation;
        if (correlation > best) std::tie(best, bestLag) = std::make_pair(correlation, lag);
    }
    return compareAt(wav, decoded, channel, bestLag, kMostDelay, wav.size() / 2);
}

// The lossy formats are judged by ear's proxy: decoded, each channel follows
// the WAV's samples closely and is as loud (an encoder fed wrongly shaped
// samples gives noise that still has the right length).
TEST_F(AudioFileRendererTest, EveryFormatDecodesToTheWavsSamplesWithinTheCodecsError) {
    const auto smf = melodyAndChord(16);
    ASSERT_EQ(render(smf, folder_ / "reference.wav", AudioFileFormat::Wav).status, AudioRenderResult::Status::Written);
    const std::vector<std::int16_t> wav = readSoundFile(folder_ / "reference.wav").samples;
    for (const AudioFileFormatInfo& format : audioFileFormats()) {
        SCOPED_TRACE(format.name);
        const fs::path path = folder_ / (std::string("coded") + format.extension);
        ASSERT_EQ(render(smf, path, format.format).status, AudioRenderResult::Status::Written);
        const std::vector<std::int16_t> decoded = readSoundFile(path).samples;
        for (int channel = 0; channel < 2; ++channel) {
            const Likeness found = likeness(wav, decoded, channel);
            EXPECT_GE(found.correlation, 0.99) << "channel " << channel;
            EXPECT_NEAR(found.loudness, 1.0, 0.1) << "channel " << channel;
        }
    }
}

TEST_F(AudioFileRendererTest, ReplacingAFileKeepsItsPermissions) {
    const fs::path path = folder_ / "song.flac";
    std::ofstream(path) << "old";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(render(melodyAndChord(2), path, AudioFileFormat::Flac).status, AudioRenderResult::Status::Written);
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(readSoundFile(path).channels, 2);
}

TEST_F(AudioFileRendererTest, AHardLinkedFileIsRefusedAndStaysSharedWithItsOtherName) {
    const fs::path path = folder_ / "song.wav";
    std::ofstream(path) << "old";
    fs::create_hard_link(path, folder_ / "other name.wav");
    const AudioRenderResult result = render(melodyAndChord(2), path, AudioFileFormat::Wav);
    EXPECT_EQ(result.status, AudioRenderResult::Status::Failed);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(fs::hard_link_count(path), 2u);  // not split from its other name
    EXPECT_EQ(fs::file_size(folder_ / "other name.wav"), 3u);
    EXPECT_EQ(filesInFolder().size(), 2u) << "a temporary file was left";
}

TEST_F(AudioFileRendererTest, ADeviceIsWrittenInPlaceAndAFullOneFailsWithTheReason) {
    const fs::path null = folder_ / "null";
    const fs::path full = folder_ / "full";
    if (!makeCharacterDevice(null, 1, 3) || !makeCharacterDevice(full, 1, 7)) {
        GTEST_SKIP() << "device nodes cannot be made here";
    }
    const AudioRenderResult intoNull = render(melodyAndChord(2), null, AudioFileFormat::Wav);
    EXPECT_EQ(intoNull.status, AudioRenderResult::Status::Written) << intoNull.error;
    EXPECT_TRUE(fs::is_character_file(null)) << "the device was replaced";

    const AudioRenderResult intoFull = render(melodyAndChord(200), full, AudioFileFormat::Wav);
    EXPECT_EQ(intoFull.status, AudioRenderResult::Status::Failed);
    EXPECT_NE(intoFull.error.find("No space left"), std::string::npos) << intoFull.error;
    EXPECT_TRUE(fs::is_character_file(full));
    EXPECT_EQ(filesInFolder().size(), 2u) << "a temporary file was left";
}

TEST_F(AudioFileRendererTest, AFolderRemovedDuringTheRenderEndsItSoonWithNothingLeft) {
    const fs::path inner = folder_ / "gone";
    fs::create_directory(inner);
    double lastProgress = 0.0;
    const auto progress = [&](double done) {
        lastProgress = done;
        if (done > 0.01 && fs::exists(inner)) fs::remove_all(inner);
    };
    const auto smf = melodyAndChord(2400);  // ten minutes
    const AudioRenderResult result =
        renderAudioFile({smf, (inner / "long.wav").string(), AudioFileFormat::Wav, "", ""}, progress);
    EXPECT_EQ(result.status, AudioRenderResult::Status::Failed);
    EXPECT_NE(result.error.find("removed"), std::string::npos) << result.error;
    EXPECT_LT(lastProgress, 0.5) << "the render went on into the removed folder";
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(AudioFileRendererTest, AWavStreamIntoAPipeHoldsTheSameSamples) {
    const fs::path fifo = folder_ / "stream";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto received = std::async(std::launch::async, [&] {
        std::ifstream in(fifo, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    });
    const auto smf = melodyAndChord(8);
    const AudioRenderResult streamed = render(smf, fifo, AudioFileFormat::Wav);
    const std::string bytes = received.get();
    ASSERT_EQ(streamed.status, AudioRenderResult::Status::Written) << streamed.error;
    EXPECT_TRUE(fs::is_fifo(fifo));

    const fs::path file = folder_ / "file.wav";
    ASSERT_EQ(render(smf, file, AudioFileFormat::Wav).status, AudioRenderResult::Status::Written);
    const std::vector<std::int16_t> expected = readSoundFile(file).samples;
    ASSERT_EQ(bytes.substr(0, 4), "RIFF");
    ASSERT_EQ(bytes.substr(36, 4), "data");
    ASSERT_EQ(bytes.size(), 44 + expected.size() * 2);
    EXPECT_EQ(std::memcmp(bytes.data() + 44, expected.data(), expected.size() * 2), 0);
}

long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

TEST_F(AudioFileRendererTest, MemoryDoesNotGrowWithTheMusicsLength) {
    // One note, and five minutes later a volume change: a 53 MB WAV file, which
    // held in memory (as samples, then as the file's bytes) took twice that.
    std::vector<std::uint8_t> conductor = test::tempoEvent(500000);
    conductor.insert(conductor.end(), {0x00, 0xFF, 0x2F, 0x00});
    const auto smf = test::SmfBytes(1, 2, 16)
                         .track(conductor)
                         .track({0x00, 0x90, 60, 100, 0x10, 0x80, 60, 0, 0xCB, 0x00, 0xB0, 0x07, 100, 0x00, 0xFF, 0x2F, 0x00})
                         .bytes();
    std::ofstream("/proc/self/clear_refs") << "5";  // restarts the peak count
    const long before = peakResidentKb();
    const fs::path path = folder_ / "long.wav";
    const AudioRenderResult result = render(smf, path, AudioFileFormat::Wav);
    ASSERT_EQ(result.status, AudioRenderResult::Status::Written) << result.error;
    ASSERT_GT(fs::file_size(path), 50'000'000u);
    if (before < 0) GTEST_SKIP() << "no peak memory figure here";
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer keeps freed memory resident (its quarantine), so the peak says nothing here";
#endif
#ifdef __SANITIZE_THREAD__
    GTEST_SKIP() << "ThreadSanitizer adds its shadow of every byte touched to the peak, so it says nothing here";
#endif
    EXPECT_LT(peakResidentKb() - before, 25'000) << "the render held the music in memory";
}

TEST(AudioFileFormatTest, TheExtensionChoosesTheFormatWhateverItsCase) {
    EXPECT_EQ(audioFileFormatForPath("a/b/Song.FLAC"), AudioFileFormat::Flac);
    EXPECT_EQ(audioFileFormatForPath("song.oga"), AudioFileFormat::OggVorbis);
    EXPECT_EQ(audioFileFormatForPath("song.Mp3"), AudioFileFormat::Mp3);
    EXPECT_EQ(audioFileFormatForPath("song.wav.txt"), std::nullopt);
    EXPECT_EQ(audioFileFormatForPath("song"), std::nullopt);
    for (const AudioFileFormatInfo& format : audioFileFormats()) {
        EXPECT_EQ(audioFileFormatForFilter(format.dialogFilter), format.format);
        EXPECT_EQ(audioFileFormatForPath(std::string("x") + format.extension), format.format);
    }
}

}  // namespace
}  // namespace velmora
