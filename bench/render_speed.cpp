// Seconds of music rendered per second of wall time (and of CPU time) by the
// offline renderer, for about 18 minutes of the reference text exported with
// the window's initial settings. `--write-text FILE` writes the text instead,
// so that `velmora-cli render` can be timed on the same music.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "documents/cp932_text.h"
#include "engine/performance_state.h"
#include "mapping/random_source.h"
#include "reference_text.h"
#include "smf/build_midi_file.h"
#include "sound/wav_renderer.h"

namespace {

constexpr int kLines = 132;  // about 18 minutes at the initial tempo
constexpr std::uint64_t kSeed = 7;
constexpr int kRuns = 5;

std::vector<std::uint8_t> referenceMidi() {
    velmora::ExportRequest request;
    for (const std::string& line : velmora::bench::referenceTextLines(kLines))
        request.playLines.push_back(velmora::upperCp932(line));
    request.lineStarts = velmora::lineStartsOfPlainLines(request.playLines);
    request.keyNote = request.options.keyNote();
    velmora::SeededRandom rng(kSeed);
    return velmora::buildMidiFile(request, rng);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-text") == 0) {
        std::ofstream out(argv[2], std::ios::binary);
        for (const std::string& line : velmora::bench::referenceTextLines(kLines)) out << line << "\r\n";
        return out ? 0 : 1;
    }
    const std::vector<std::uint8_t> smf = referenceMidi();
    const auto path = std::filesystem::temp_directory_path() / "velmora_render_speed.wav";
    std::vector<double> ratios;
    std::vector<double> cpuRatios;  // CPU time of this process: meaningful on a busy machine too
    double music = 0.0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        const velmora::WavRenderResult result = velmora::renderWav(smf, path.string(), "");
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        if (result.status != velmora::WavRenderResult::Status::Written) {
            std::fprintf(stderr, "render failed: %s\n", result.error.c_str());
            return 1;
        }
        music = result.musicSeconds;
        ratios.push_back(music / wall);
        cpuRatios.push_back(music / cpu);
        std::printf("  run %d: %.2f s wall, %.2f s CPU\n", run + 1, wall, cpu);
    }
    std::filesystem::remove(path);
    std::printf("%.1f s of music (reference text, initial settings), %d runs, median (min..max):\n", music,
                kRuns);
    std::printf("  wall clock: %.0fx real time (%.0fx..%.0fx)\n", median(ratios),
                *std::min_element(ratios.begin(), ratios.end()), *std::max_element(ratios.begin(), ratios.end()));
    std::printf("  CPU time:   %.0fx real time (%.0fx..%.0fx)\n", median(cpuRatios),
                *std::min_element(cpuRatios.begin(), cpuRatios.end()),
                *std::max_element(cpuRatios.begin(), cpuRatios.end()));
    return 0;
}
