#include "cli/trace_command.h"

#include "engine/performance_start.h"
#include "engine/performance_tick.h"
#include "midi/capture_backend.h"
#include "midi/midi_out_port.h"

namespace velmora::cli {

namespace {

// The end of the text as the transport handles it, without timers.
class TraceControl final : public PerformanceControl {
public:
    explicit TraceControl(MidiOutPort& port) : port_(port) {}
    void stopTickTimer() override {}
    void finishPerformance() override { allNotesOffBothChannels(port_); }

private:
    MidiOutPort& port_;
};

void printMessages(CaptureBackend& capture, std::ostream& out) {
    for (const auto& message : capture.messages) {
        out << message.tick << ' ' << int{message.status} << ' ' << int{message.data1} << ' '
            << int{message.data2} << '\n';
    }
    capture.messages.clear();
}

}  // namespace

void runTrace(const CliSetup& setup, std::optional<std::int32_t> fromLine, std::ostream& out) {
    if (setup.upperLines.empty()) return;  // an empty memo does not start
    CaptureBackend capture;
    MidiOutPort port(capture);
    SeededRandom rng(setup.seed);
    PerformanceState state;
    state.gridSteps = setup.grid.gridSteps;
    state.meterKind = setup.grid.meterKind;
    state.keyNote = setup.keyNote;
    TraceControl control(port);
    PerformanceTick tick(setup.options, state, port, rng, control);

    capture.beginTick(0);
    if (fromLine) {
        beginLinePlay(setup.options, state, port, tick, setup.upperLines, setup.lineStarts, *fromLine);
    } else {
        beginPlay(setup.options, state, port, setup.upperLines, setup.lineStarts);
    }
    printMessages(capture, out);
    for (std::uint64_t tickNumber = 1;; ++tickNumber) {
        capture.beginTick(tickNumber);
        const bool running = tick.MMTimerTimer();
        printMessages(capture, out);
        if (!running) break;
    }
}

}  // namespace velmora::cli
