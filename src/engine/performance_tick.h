#pragma once

#include <cstdint>
#include <string>

#include "engine/performance_state.h"
#include "engine/text_walk.h"
#include "mapping/random_source.h"
#include "midi/midi_out_port.h"
#include "options/performance_options.h"

namespace velmora {

// What the tick asks of the transport when it reaches the end of the text.
class PerformanceControl {
public:
    virtual ~PerformanceControl() = default;
    virtual void stopTickTimer() = 0;
    virtual void finishPerformance() = 0;
};

// The text view that follows the music.
class MemoView {
public:
    virtual ~MemoView() = default;
    // memoPos is the tick's memo offset (one past the character on the first
    // line); soundingOffset is the 0-based offset of the character itself.
    virtual void highlightCharacter(std::int32_t memoPos, std::int32_t soundingOffset) = 0;
    virtual void scrollDownOneLine() = 0;
    // The elapsed time, "MM : SS"; the view writes it only when it changed.
    virtual void showElapsed(const std::string& text) = 0;
};

// "MM : SS": a leading 0 below 10, minutes uncapped.
std::string formatMinutesSeconds(std::uint64_t totalSeconds);

// The live tick: walks the upper-cased text until a character takes time (a
// note, or a rest the grid does not pass over), sounds notes and chords through
// the port, then shows where the music stands.
class PerformanceTick final : private WalkSteps {
public:
    PerformanceTick(const PerformanceOptions& options, PerformanceState& state, MidiOutPort& port, RandomSource& rng,
                    PerformanceControl& control, MemoView* view = nullptr)
        : options_(options), state_(state), port_(port), rng_(rng), control_(control), view_(view) {}

    // One tick. Returns false when it reached the end of the text (the timer was
    // stopped and finishPerformance ran).
    bool advance();

    // Replays the counters silently over the lines before `target`, so that the
    // grid continues where a full performance would stand at that line.
    void prescanToLine(std::int32_t target);

private:
    void note(std::uint8_t tableNote, bool beat) override;
    void releaseMelody() override;
    void release();
    void showPosition();

    const PerformanceOptions& options_;
    PerformanceState& state_;
    MidiOutPort& port_;
    RandomSource& rng_;
    PerformanceControl& control_;
    MemoView* view_;
};

}  // namespace velmora
