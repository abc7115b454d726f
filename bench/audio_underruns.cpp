// Plays a performance-like stream of notes through the built-in synthesizer's
// PulseAudio stream with a given buffer, for a given time: a melody note on
// channel 1 every 150 ms and a four-note chord on channel 0 every fourth
// note, stamped with their due times as the transport stamps them.
// bench/audio_underruns.sh runs it on a null sink under load and counts the
// server's underruns.
//
// Usage: bench_audio_underruns PERIOD_FRAMES PERIODS SECONDS
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "midi/midi_out_port.h"
#include "midi/monotonic_clock.h"
#include "sound/fluid_backend.h"

int main(int argc, char** argv) {
    using namespace velmora;
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PERIOD_FRAMES PERIODS SECONDS\n", argv[0]);
        return 2;
    }
    const AudioBufferSize size{std::atoi(argv[1]), std::atoi(argv[2])};
    const auto duration = std::chrono::seconds(std::atoi(argv[3]));
    FluidSynthBackend backend("", {AudioDriver::PulseAudio, AudioBuffer::Standard}, size);
    MidiOutPort port(backend);
    port.open();
    if (!port.openError().empty()) {
        std::fprintf(stderr, "%s\n", port.openError().c_str());
        return 1;
    }
    port.programChange(0, 0);
    port.programChange(74, 1);
    constexpr auto kTick = std::chrono::milliseconds(150);
    constexpr std::uint8_t kMelody[] = {72, 74, 76, 79, 81, 79, 76, 74};
    constexpr std::uint8_t kChords[][4] = {{48, 60, 64, 67}, {53, 65, 69, 72}, {55, 67, 71, 74}};
    const auto start = std::chrono::steady_clock::now();
    auto due = start;
    std::uint8_t melody = 0;
    const std::uint8_t* chord = nullptr;
    for (std::uint64_t tick = 1; due - start < duration; ++tick) {
        due += kTick;
        std::this_thread::sleep_until(due);
        backend.beginTick(tick);
        backend.setTickDueTime(monotonicNowNs());
        if (melody) port.noteOff(melody, 1);
        melody = kMelody[tick % 8];
        port.noteOn(melody, 110, 1);
        if (tick % 4 != 1) continue;
        if (chord)
            for (int i = 0; i < 4; ++i) port.noteOff(chord[i], 0);
        chord = kChords[(tick / 4) % 3];
        for (int i = 0; i < 4; ++i) port.noteOn(chord[i], 90, 0);
    }
    port.allNotesOff(0);
    port.allNotesOff(1);
    port.close();
    std::printf("%s\n", backend.outputDescription().c_str());
    return 0;
}
