#include "ui/performance/performance.h"

#include <QMetaObject>

namespace velmora {

Performance::Performance(TransportHost& host, std::unique_ptr<MidiBackend> givenOutput, ErrorReporter tickError)
    : output_(std::move(givenOutput)) {
    endTimer_ = std::make_unique<QtPeriodicTimer>([this] { transport_->endWaitElapsed(); });
    repeatTimer_ = std::make_unique<QtPeriodicTimer>([this] { transport_->repeatGapElapsed(); });
    tickTimer_.setHandler([this](TickTimer& sender) { transport_->tick(sender.currentTickDueNs()); });
    // A failing tick is reported after it, not inside it: a modal box there
    // would hold the tick past its time and stop the performance as an overrun.
    tickTimer_.setErrorReporter([this, report = std::move(tickError)](const std::string& message) {
        QMetaObject::invokeMethod(&eventTarget_, [report, message] { report(message); }, Qt::QueuedConnection);
    });
    transport_ = std::make_unique<Transport>(options_, output_.port(), rng_, tickTimer_, *endTimer_,
                                             *repeatTimer_, host);
    output_.rollRecorder().watch(transport_->state());
}

Performance::~Performance() {
    // The tick timer must stop before the transport and what it reaches go.
    tickTimer_.setEnabled(false);
    transport_->shutdown();
}

void Performance::playOrStop() { transport_->play(); }

void Performance::linePlayOrStop() { transport_->linePlay(); }

void Performance::pauseOrContinue() { transport_->pause(); }

void Performance::silenceChord() { transport_->panic(); }

void Performance::tempoChanged() { transport_->tempoChanged(); }

void Performance::rhythmChanged() { transport_->rhythmChanged(); }

void Performance::stop() { transport_->shutdown(); }

void Performance::forgetText() {
    PerformanceState& state = transport_->state();
    state.playLines.clear();
    state.lineStarts.clear();
    state.chordNotes.clear();
}

std::optional<std::string> Performance::chooseOutput(const OutputSettings& settings) {
    if (performing()) return std::nullopt;  // the performance holds the output
    return output_.choose(settings);
}

}  // namespace velmora
