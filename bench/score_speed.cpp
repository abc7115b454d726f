// Score speed: the MusicXML of a 1 MB English text against the MIDI export of
// the same text, interleaved runs, medians of seven.
//  - made in memory (the rendering and the bytes of each file, handed to a sink
//    that drops them): what the score's making costs; goal within 4x;
//  - written to a file as velmora-cli writes it (staged, flushed to disk): the
//    MusicXML is some 30 times the MIDI file's size, so the disk's speed
//    (the time of copying the file the same way, printed beside) decides much
//    of it. The compressed .mxl is shown too.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "documents/cp932_text.h"
#include "documents/safe_file_writer.h"
#include "engine/performance_state.h"
#include "reference_text.h"
#include "score/score_export.h"
#include "smf/build_midi_file.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 7;
constexpr std::size_t kTextBytes = 1u << 20;

velmora::ExportRequest requestForText() {
    velmora::ExportRequest request;
    std::size_t bytes = 0;
    for (std::string& line : velmora::bench::referenceTextLines(static_cast<int>(kTextBytes / 40))) {
        if (bytes >= kTextBytes) break;
        bytes += line.size() + 2;
        request.playLines.push_back(velmora::upperCp932(line));
        request.textLines.push_back(std::move(line));
    }
    request.lineStarts = velmora::lineStartsOfPlainLines(request.playLines);
    return request;
}

class DroppedMidi final : public velmora::SmfSink {
public:
    void append(const std::uint8_t*, std::size_t size) override { bytes += size; }
    bool canPatch() const override { return true; }
    std::size_t bytes = 0;
};

class DroppedScore final : public velmora::ScoreSink {
public:
    void append(const char*, std::size_t size) override { bytes += size; }
    std::size_t bytes = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

using Work = std::function<void(velmora::RandomSource&)>;

// Runs the works in turn, kRuns rounds, so that a busy machine slows all alike.
std::vector<double> interleavedMedians(const std::vector<Work>& works) {
    std::vector<std::vector<double>> times(works.size());
    for (int run = 0; run < kRuns; ++run) {
        for (std::size_t i = 0; i < works.size(); ++i) {
            velmora::SeededRandom rng(1);
            const auto start = Clock::now();
            works[i](rng);
            times[i].push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    std::vector<double> medians;
    for (const auto& series : times) medians.push_back(median(series));
    return medians;
}

// Seconds to copy a file through a SafeFileWriter, flushed to disk: what its
// bytes alone cost to write.
double copySeconds(const std::string& from, const std::string& to) {
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (in == nullptr) return 0.0;
    std::vector<char> block(1 << 20);
    const auto start = Clock::now();
    velmora::SafeFileWriter file(to);
    for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), in)) > 0;)
        file.write(block.data(), got);
    file.commit();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::fclose(in);
    std::filesystem::remove(to);
    return seconds;
}

}  // namespace

int main() {
    const velmora::ExportRequest request = requestForText();
    const auto base =
        std::filesystem::temp_directory_path() / ("velmora-bench-score-" + std::to_string(getpid()));
    const std::string midi = base.string() + ".mid", musicXml = base.string() + ".musicxml",
                      mxl = base.string() + ".mxl";

    DroppedMidi midiBytes;
    DroppedScore scoreBytes;
    const std::vector<double> inMemory = interleavedMedians({
        [&](velmora::RandomSource& rng) { velmora::writeMidiFile(request, rng, midiBytes = {}); },
        [&](velmora::RandomSource& rng) { velmora::writeMusicXml(request, "bench", rng, scoreBytes = {}); },
    });
    const std::vector<double> toFile = interleavedMedians({
        [&](velmora::RandomSource& rng) { velmora::exportMidiFile(midi, request, rng); },
        [&](velmora::RandomSource& rng) {
            velmora::exportScore(musicXml, velmora::ScoreFormat::MusicXml, request, "bench", rng);
        },
        [&](velmora::RandomSource& rng) {
            velmora::exportScore(mxl, velmora::ScoreFormat::Mxl, request, "bench", rng);
        },
    });
    const double copyMs = copySeconds(musicXml, base.string() + ".copy") * 1e3;
    const auto sizeOf = [](const std::string& path) {
        const auto size = std::filesystem::file_size(path);
        std::filesystem::remove(path);
        return static_cast<std::uintmax_t>(size);
    };
    const std::uintmax_t midiSize = sizeOf(midi), xmlSize = sizeOf(musicXml), mxlSize = sizeOf(mxl);

    std::printf("1 MB text; %d interleaved runs, medians\n", kRuns);
    std::printf("%-22s %10s %14s %10s\n", "", "ms", "bytes", "x MIDI");
    std::printf("%-22s %10.1f %14zu %10.2f\n", "MIDI in memory", inMemory[0] * 1e3, midiBytes.bytes, 1.0);
    std::printf("%-22s %10.1f %14zu %10.2f\n", "MusicXML in memory", inMemory[1] * 1e3, scoreBytes.bytes,
                inMemory[1] / inMemory[0]);
    std::printf("%-22s %10.1f %14ju %10.2f\n", "MIDI file", toFile[0] * 1e3, midiSize, 1.0);
    std::printf("%-22s %10.1f %14ju %10.2f\n", "MusicXML file", toFile[1] * 1e3, xmlSize,
                toFile[1] / toFile[0]);
    std::printf("%-22s %10.1f %14ju %10.2f\n", ".mxl file", toFile[2] * 1e3, mxlSize, toFile[2] / toFile[0]);
    std::printf("copying the MusicXML file as it is written takes %.0f ms: the disk's share\n", copyMs);
    std::printf("MusicXML / MIDI, made in memory: %.2f (goal <= 4); written to a file: %.2f\n",
                inMemory[1] / inMemory[0], toFile[1] / toFile[0]);
    return 0;
}
