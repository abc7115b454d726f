#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/performance_state.h"
#include "engine/performance_tick.h"
#include "engine/transport_display.h"
#include "mapping/random_source.h"
#include "midi/midi_out_port.h"
#include "midi/periodic_timer.h"
#include "options/performance_options.h"

namespace velmora {

// The text as the memo holds it when a performance starts.
struct MemoSnapshot {
    std::vector<std::string> upperLines;   // code-page-932 bytes, upper-cased, one per displayed line
    std::vector<std::int32_t> lineStarts;  // memo offset of each line's first character
    std::int32_t visibleLines = 0;
    std::int32_t caretLine = 0;            // the displayed line that holds the caret
};

// What the transport needs from the window (or the command-line player).
class TransportHost : public MemoView {
public:
    // The memo's text; no lines when it is empty.
    virtual MemoSnapshot memoSnapshot() = 0;
    virtual void setMemoSelection(std::int32_t start, std::int32_t length) = 0;
    // The display changed: copy it onto the controls.
    virtual void displayChanged(const TransportDisplay& display) = 0;
    // The performance stopped because a tick overran its period.
    virtual void showOverrunMessage(const std::string& message) = 0;
};

// Play/Stop, LinePlay/Stop, Pause/Continue, the end of the text with its
// repeat, the panic request and the overrun stop, over the tick, the port and
// three timers. The transport switches the timers; their owner calls tick(),
// endWaitElapsed() and repeatGapElapsed() at their expiries. Everything runs
// on one thread (the GUI thread); the repeat gap is a state of its own, so a
// Stop or a shutdown during it ends it for good.
class Transport final : private PerformanceControl {
public:
    static constexpr std::uint32_t kEndWaitMs = 3000;
    static constexpr std::uint32_t kRepeatGapMs = 1500;

    Transport(const PerformanceOptions& options, MidiOutPort& port, RandomSource& rng,
              PeriodicTimer& tickTimer, PeriodicTimer& endTimer, PeriodicTimer& repeatTimer,
              TransportHost& host);

    void play();      // Play, or Stop while playing
    void linePlay();  // LinePlay from the caret's line, or Stop while line-playing
    void pause();     // Pause, or Continue while paused
    // Silences the chord at the next note.
    void panic() { state_.panicRequest = true; }
    // One tick; dueNs is the monotonic time the tick was due, for outputs that
    // place its messages exactly.
    void tick(std::optional<std::int64_t> dueNs = std::nullopt);
    void endWaitElapsed();     // the end timer: stop, or with repeat start the gap
    void repeatGapElapsed();   // the repeat timer: play again from the first line
    // The tick timer gave up on a late tick: the performance stops with a message.
    void tickOverran();
    // The tempo control: the tick interval clamped to 50..1000 ms.
    void tempoChanged();
    // The rhythm changed (selectRhythm on the options): during Play the tick
    // period restarts.
    void rhythmChanged();
    // Stops whatever runs, for the window's close.
    void shutdown();

    const TransportDisplay& display() const { return display_; }
    const PerformanceOptions& options() const { return options_; }
    PerformanceState& state() { return state_; }
    const PerformanceState& state() const { return state_; }
    bool performing() const { return state_.playing || state_.linePlaying; }
    bool inRepeatGap() const { return repeatTimer_.enabled(); }
    // The number of ticks since the performance started (0 while starting).
    std::uint64_t tickNumber() const { return tickNumber_; }

private:
    void stopTickTimer() override;
    void finishPerformance() override;

    void startPlay(bool fromCaretLine);
    void stopPlay(bool linePlay);
    void lockControls(bool locked, bool linePlay);
    void publish() { host_.displayChanged(display_); }

    const PerformanceOptions& options_;
    MidiOutPort& port_;
    PeriodicTimer& tickTimer_;
    PeriodicTimer& endTimer_;
    PeriodicTimer& repeatTimer_;
    TransportHost& host_;
    PerformanceState state_;
    PerformanceTick tick_;
    TransportDisplay display_;
    std::uint64_t tickNumber_ = 0;
};

}  // namespace velmora
