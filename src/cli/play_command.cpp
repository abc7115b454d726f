#include "cli/play_command.h"

#include <array>
#include <csignal>
#include <iostream>

#include "cli/cli_performance.h"
#include "cli/cli_setup.h"
#include "cli/loop_timer.h"
#include "cli/output_guard.h"
#include "cli/play_output.h"
#include "cli/player_host.h"
#include "cli/terminal.h"
#include "engine/transport.h"
#include "midi/event_queue_dispatcher.h"
#include "midi/tick_timer.h"
#include "sound/midi_backend_factory.h"

namespace velmora::cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int) { stopRequested = 1; }

// Ctrl-C, SIGTERM, a closed terminal (SIGHUP) and SIGQUIT end the performance
// cleanly instead of killing the process: sound off, capture flushed, terminal restored.
class StopSignals {
public:
    StopSignals() {
        struct sigaction action {};
        action.sa_handler = requestStop;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &old_[i]);
    }
    ~StopSignals() {
        for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &old_[i], nullptr);
    }

private:
    static constexpr std::array<int, 4> kSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    std::array<struct sigaction, 4> old_{};
};

constexpr char kEscape = 27;
// The window's overrun message in the command line's language.
constexpr const char* kOverrunMessageEnglish =
    "the performance stopped: the timer could not keep up; lower the tempo or give the MIDI output more buffer";
constexpr auto kLoopWait = std::chrono::milliseconds(20);
constexpr auto kStatusEvery = std::chrono::milliseconds(100);

int listOutputs() {
    for (const auto& output : listMidiOutputs()) std::cout << output.name << "\t" << output.description << '\n';
    return 0;
}

}  // namespace

int runPlay(const CliArguments& arguments) {
    if (arguments.listOutputs) return listOutputs();
    refuseOutputOverInput(arguments, outputFileOf(arguments.outputSpec.value_or("")));
    CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) return 0;  // an empty text does not start
    if (arguments.fromLine && *arguments.fromLine >= static_cast<std::int32_t>(setup.upperLines.size())) {
        throw UsageError("--from-line " + std::to_string(*arguments.fromLine) + " is past the last line (" +
                         std::to_string(setup.upperLines.size() - 1) + ")");
    }
    if (arguments.repeat) setup.options.repeatAtEnd = true;

    MidiBackendChoice output = createMidiBackend(arguments.outputSpec.value_or("fluidsynth"),
                                                 arguments.soundfont.value_or(""), audioChoiceOf(arguments));
    if (!output.backend) throw UsageError(output.error);
    const CaptureFifoHold fifoHold(arguments.outputSpec.value_or(""));
    // Only the default output may play silently; a named output, soundfont or sound server that cannot work
    // is an error.
    if (outputWasChosen(arguments)) {
        const bool connect = arguments.outputSpec || arguments.audioDriver || arguments.audioBuffer;
        const std::string problem = checkMidiOutput(*output.backend, connect);
        if (!problem.empty()) throw RuntimeError(problem);
    }
    EventQueueDispatcher dispatcher;
    PlayerHost host(setup);
    TickTimer timer(host, dispatcher);
    CliPerformance performance(setup, *output.backend, timer, host);
    Transport& transport = performance.transport();
    LoopTimer& endTimer = performance.endTimer();
    LoopTimer& repeatTimer = performance.repeatTimer();
    timer.setInterval(static_cast<std::uint32_t>(setup.options.timerInterval()));
    timer.setHandler([&transport](TickTimer& sender) { transport.tick(sender.currentTickDueNs()); });

    StopSignals signals;
    Terminal terminal;
    performance.start(arguments.fromLine);
    MidiOutPort& port = performance.port();
    if (!port.openError().empty()) {
        if (outputWasChosen(arguments)) {
            transport.shutdown();
            timer.setEnabled(false);
            throw RuntimeError(port.openError());
        }
        std::cerr << "velmora-cli: no sound: " << port.openError() << '\n';
    }

    auto lastStatus = LoopTimer::Clock::now() - kStatusEvery;
    bool captureFailed = false;  // a capture that lost messages ends the play with an error
    while (transport.performing()) {
        if (stopRequested != 0) {
            transport.shutdown();
            break;
        }
        while (const auto key = terminal.pollKey()) {
            if (*key == ' ') transport.pause();
            if (*key == kEscape) transport.panic();
            if (*key == 'q' || *key == 'Q') transport.shutdown();
        }
        auto now = LoopTimer::Clock::now();
        const auto wait = std::min({std::chrono::duration_cast<LoopTimer::Clock::duration>(kLoopWait),
                                    endTimer.untilDue(now), repeatTimer.untilDue(now)});
        dispatcher.waitAndRun(wait);
        if (const std::optional<OutputWarning> warning = output.backend->takeWarning()) {
            terminal.finishStatus();
            std::cerr << "velmora-cli: " << warning->text() << '\n';
            captureFailed |= warning->kind == OutputWarning::Kind::CaptureNotWritten;
        }
        now = LoopTimer::Clock::now();
        if (endTimer.takeExpiry(now)) transport.endWaitElapsed();
        if (repeatTimer.takeExpiry(now)) transport.repeatGapElapsed();
        if (now - lastStatus >= kStatusEvery) {
            terminal.showStatus(host.statusLine(terminal.width()));
            lastStatus = now;
        }
    }
    timer.setEnabled(false);
    terminal.finishStatus();
    // Closing flushes a capture file; what failed in writing it is known then.
    port.close();
    if (const std::optional<OutputWarning> warning = output.backend->takeWarning()) {
        std::cerr << "velmora-cli: " << warning->text() << '\n';
        captureFailed |= warning->kind == OutputWarning::Kind::CaptureNotWritten;
    }
    if (captureFailed) return 1;
    if (host.overran()) {
        std::cerr << "velmora-cli: " << kOverrunMessageEnglish << '\n';
        return 1;
    }
    return 0;
}

}  // namespace velmora::cli
