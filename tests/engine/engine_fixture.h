#pragma once

#include <string>
#include <vector>

#include "documents/cp932_text.h"
#include "engine/performance_start.h"
#include "engine/performance_state.h"
#include "engine/performance_tick.h"
#include "midi/midi_out_port.h"
#include "options/performance_options.h"
#include "options/rhythm_grid.h"
#include "support/capture_backend.h"
#include "support/captured_message_print.h"
#include "support/scripted_random.h"

namespace velmora::testing {

// A live performance without timer or window: the tick, a captured port and a
// scripted generator (coin 0 and r = 0 unless a test queues other values).
class TickHarness : public PerformanceControl, public MemoView {
public:
    explicit TickHarness(PerformanceOptions opts = {}) : options(opts) {}

    void stopTickTimer() override { ++timerStops; }
    void finishPerformance() override {
        ++finishes;
        allNotesOffBothChannels(port);
    }
    void highlightCharacter(std::int32_t memoPos, std::int32_t soundingOffset) override {
        highlights.push_back({memoPos, soundingOffset});
    }
    void scrollDownOneLine() override { ++scrolls; }
    void showElapsed(const std::string& text) override { elapsed = text; }

    void play(const std::vector<std::string>& lines) {
        options.grid = {8, 4};
        selectRhythm(options, options.rhythmItem);
        std::vector<std::string> upper;
        for (const auto& line : lines) upper.push_back(upperCp932(line));
        beginPlay(options, state, port, upper, lineStartsOfPlainLines(upper));
        capture.messages.clear();
    }

    // Runs one tick; returns its messages.
    std::vector<CapturedMessage> tickOnce() {
        capture.messages.clear();
        running = tick.advance();
        return capture.messages;
    }

    // Ticks until the end of the text; returns how many ticks took time.
    int runToEnd(int limit = 100000) {
        int ticks = 0;
        while (ticks < limit) {
            tickOnce();
            if (!running) break;
            ++ticks;
        }
        return ticks;
    }

    PerformanceOptions options;
    PerformanceState state;
    CaptureBackend capture;
    MidiOutPort port{capture};
    ScriptedRandom rng;
    PerformanceTick tick{options, state, port, rng, *this, this};
    bool running = true;
    int timerStops = 0;
    int finishes = 0;
    int scrolls = 0;
    std::string elapsed;
    std::vector<std::pair<std::int32_t, std::int32_t>> highlights;
};

inline CapturedMessage noteOn(std::uint8_t channel, std::uint8_t note, std::uint8_t velocity) {
    return {0, static_cast<std::uint8_t>(0x90 + channel), note, velocity};
}
inline CapturedMessage noteOff(std::uint8_t channel, std::uint8_t note) {
    return {0, static_cast<std::uint8_t>(0x90 + channel), note, 0};
}
inline CapturedMessage allNotesOff(std::uint8_t channel) {
    return {0, static_cast<std::uint8_t>(0xB0 + channel), 123, 0};
}

}  // namespace velmora::testing
