#include "cli/play_command.h"

#include <iostream>

#include "cli/cli_performance.h"
#include "cli/cli_setup.h"
#include "cli/loop_timer.h"
#include "cli/output_guard.h"
#include "cli/play_output.h"
#include "cli/player_host.h"
#include "cli/terminal.h"
#include "documents/process_signals.h"
#include "engine/transport.h"
#include "midi/event_queue_dispatcher.h"
#include "midi/tick_timer.h"
#include "sound/midi_backend_factory.h"

namespace velmora::cli {

namespace {

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
    checkOutput(arguments, outputFileOf(arguments.outputChoice.value_or("")));
    CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) return 0;  // an empty text does not start
    checkFromLine(arguments, setup);
    if (arguments.repeat) setup.options.repeatAtEnd = true;

    MidiBackendChoice output = createMidiBackend(arguments.outputChoice.value_or("fluidsynth"),
                                                 arguments.soundfont.value_or(""), audioChoiceOf(arguments));
    if (!output.backend) throw UsageError(output.error);
    // Only the default output may play silently; a named output, soundfont or sound server that cannot work
    // is an error.
    if (outputWasChosen(arguments)) {
        const bool connect = arguments.outputChoice || arguments.audioDriver || arguments.audioBuffer;
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

    // Ctrl-C, SIGTERM, a closed terminal (SIGHUP) and SIGQUIT end the
    // performance cleanly instead of killing the process: sound off, capture
    // written, terminal restored.
    const ProcessSignals::Interruptible interruptible;
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
        if (ProcessSignals::interrupted()) {
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
