#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/transport.h"
#include "mapping/random_source.h"
#include "midi/qt/qt_tick_dispatcher.h"
#include "midi/tick_timer.h"
#include "options/performance_options.h"
#include "ui/performance/qt_periodic_timer.h"
#include "ui/performance/sound_output.h"

namespace velmora {

// The live performance behind the window: the options the controls set, the
// random source, the output, the tick timer and the two window timers, and the
// transport over them. The only place the window reaches the transport from.
// It is used on the thread that made it, and every tick runs there, in its
// event loop: the tick timer's own thread only hands the ticks over, and an
// output that renders sound does that on a thread of its own.
class Performance final : private TickOwner {
public:
    using ErrorReporter = std::function<void(const std::string& message)>;

    // `host` is the memo and display the transport works on; `givenOutput`,
    // when set, is used instead of the configured output. `tickError` hears of
    // a failing tick after that tick.
    Performance(TransportHost& host, std::unique_ptr<MidiBackend> givenOutput, ErrorReporter tickError);
    ~Performance() override;

    Performance(const Performance&) = delete;
    Performance& operator=(const Performance&) = delete;

    PerformanceOptions& options() { return options_; }
    const PerformanceOptions& options() const { return options_; }
    SeededRandom& random() { return rng_; }
    void reseed(std::uint64_t seed) { rng_ = SeededRandom(seed); }
    SoundOutput& output() { return output_; }
    Transport& transport() { return *transport_; }
    PerformanceState& state() { return transport_->state(); }
    bool performing() const { return transport_->performing(); }

    // The transport buttons and Esc.
    void playOrStop();
    void linePlayOrStop();
    void pauseOrContinue();
    void silenceChord();
    // Controls whose change the transport follows at once.
    void tempoChanged();
    void rhythmChanged();
    // Stops whatever runs and lets go of the text's lines and chord.
    void stop();
    void forgetText();

    // Takes the settings' output unless a performance holds the current one.
    // Nothing on success or while performing; the reason otherwise.
    std::optional<std::string> chooseOutput(const OutputSettings& settings);

private:
    void tickOverran() override { transport_->tickOverran(); }

    PerformanceOptions options_;
    SeededRandom rng_{0};
    SoundOutput output_;
    QObject eventTarget_;  // where the tick timer's work is queued
    QtTickDispatcher dispatcher_{eventTarget_};
    TickTimer tickTimer_{*this, dispatcher_};
    std::unique_ptr<QtPeriodicTimer> endTimer_;
    std::unique_ptr<QtPeriodicTimer> repeatTimer_;
    std::unique_ptr<Transport> transport_;
};

}  // namespace velmora
