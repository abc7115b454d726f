// Seconds of music rendered per second of wall time by the offline WAV
// renderer, for a few minutes of melody and chords in the exporter's layout.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <vector>

#include "sound/wav_renderer.h"

namespace {

constexpr int kSteps = 900;       // eighth notes of 200 ms: three minutes
constexpr int kTicksPerStep = 8;  // division 16
constexpr std::uint32_t kTempo = 400000;

void putDelta(std::vector<std::uint8_t>& out, std::uint32_t delta) {
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = delta & 0x7F;
        delta >>= 7;
    } while (delta > 0);
    while (count > 1) out.push_back(groups[--count] | 0x80);
    out.push_back(groups[0]);
}

void putTrack(std::vector<std::uint8_t>& file, const std::vector<std::uint8_t>& events) {
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(static_cast<std::uint8_t>(events.size() >> shift));
    file.insert(file.end(), events.begin(), events.end());
}

std::vector<std::uint8_t> threeMinutes() {
    std::mt19937 random(42);
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3, 0, 16};
    putTrack(file, {0x00, 0xFF, 0x51, 0x03, kTempo >> 16, (kTempo >> 8) & 0xFF, kTempo & 0xFF, 0x00, 0xFF,
                    0x2F, 0x00});

    std::vector<std::uint8_t> melody = {0x00, 0xC0, 0, 0x00, 0xB0, 0x5B, 40, 0x00, 0xB0, 0x0A, 64};
    std::vector<std::uint8_t> chords = {0x00, 0xC1, 48, 0x00, 0xB1, 0x5B, 40};
    std::uint8_t previous = 0;
    std::vector<std::uint8_t> chord;
    for (int step = 0; step < kSteps; ++step) {
        const auto note = static_cast<std::uint8_t>(60 + random() % 24);
        putDelta(melody, step == 0 ? 0 : kTicksPerStep);
        if (previous) melody.insert(melody.end(), {0x80, previous, 0, 0x00});
        melody.insert(melody.end(), {0x90, note, 100});
        previous = note;
        putDelta(chords, step % 4 == 0 ? (step == 0 ? 0 : 4 * kTicksPerStep) : 0);
        if (step % 4 != 0) continue;
        for (std::uint8_t old : chord) chords.insert(chords.end(), {0x81, old, 0, 0x00});
        const auto root = static_cast<std::uint8_t>(48 + random() % 12);
        chord = {root, static_cast<std::uint8_t>(root + 4), static_cast<std::uint8_t>(root + 7)};
        for (std::size_t i = 0; i < chord.size(); ++i) {
            chords.insert(chords.end(), {0x91, chord[i], 80});
            if (i + 1 < chord.size()) chords.push_back(0x00);
        }
    }
    melody.insert(melody.end(), {0x10, 0x80, previous, 0, 0x40, 0xFF, 0x2F, 0x00});
    chords.insert(chords.end(), {0x20, 0xFF, 0x2F, 0x00});
    putTrack(file, melody);
    putTrack(file, chords);
    return file;
}

}  // namespace

int main() {
    const std::vector<std::uint8_t> smf = threeMinutes();
    const auto path = std::filesystem::temp_directory_path() / "velmora_render_speed.wav";
    std::vector<double> ratios;
    std::vector<double> cpuRatios;  // CPU time of this process: meaningful on a busy machine too
    double music = 0.0;
    for (int run = 0; run < 5; ++run) {
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
    }
    std::filesystem::remove(path);
    std::sort(ratios.begin(), ratios.end());
    std::sort(cpuRatios.begin(), cpuRatios.end());
    std::printf("%.1f s of music (melody + triads, reverb on), 5 runs, median (min..max):\n", music);
    std::printf("  wall clock: %.0fx real time (%.0fx..%.0fx)\n", ratios[2], ratios.front(), ratios.back());
    std::printf("  CPU time:   %.0fx real time (%.0fx..%.0fx)\n", cpuRatios[2], cpuRatios.front(),
                cpuRatios.back());
    return 0;
}
