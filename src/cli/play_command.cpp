#include "cli/play_command.h"

#include <csignal>
#include <iostream>

#include "cli/cli_setup.h"
#include "cli/loop_timer.h"
#include "cli/player_host.h"
#include "cli/terminal.h"
#include "engine/tick_timer_adapter.h"
#include "engine/transport.h"
#include "midi/event_queue_dispatcher.h"
#include "midi/mm_timer.h"
#include "sound/midi_backend_factory.h"

namespace velmora::cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int) { stopRequested = 1; }

// Ctrl-C and SIGTERM end the performance cleanly instead of killing the process.
class StopSignals {
public:
    StopSignals() {
        struct sigaction action {};
        action.sa_handler = requestStop;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~StopSignals() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

constexpr char kEscape = 27;
constexpr auto kLoopWait = std::chrono::milliseconds(20);
constexpr auto kStatusEvery = std::chrono::milliseconds(100);

int listOutputs() {
    for (const auto& output : listMidiOutputs()) std::cout << output.name << "\t" << output.description << '\n';
    return 0;
}

}  // namespace

int runPlay(const CliArguments& arguments) {
    if (arguments.listOutputs) return listOutputs();
    CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) return 0;  // an empty text does not start
    if (arguments.fromLine && *arguments.fromLine >= static_cast<std::int32_t>(setup.upperLines.size())) {
        throw UsageError("--from-line " + std::to_string(*arguments.fromLine) + " is past the last line (" +
                         std::to_string(setup.upperLines.size() - 1) + ")");
    }
    if (arguments.repeat) setup.options.crept = true;

    MidiBackendChoice output = createMidiBackend(arguments.outputSpec.value_or("fluidsynth"),
                                                 arguments.soundfont.value_or(""));
    if (!output.backend) throw UsageError(output.error);
    // Only the default output may play silently; a named output or soundfont that cannot work is an error.
    if (arguments.outputSpec || arguments.soundfont) {
        const std::string problem = checkMidiOutput(*output.backend, arguments.outputSpec.has_value());
        if (!problem.empty()) throw RuntimeError(problem);
    }
    MidiOutPort port(*output.backend);
    SeededRandom rng(setup.seed);

    EventQueueDispatcher dispatcher;
    PlayerHost host(setup);
    TMMTimer timer(host, dispatcher);
    TickTimerAdapter tickTimer(timer);
    LoopTimer endTimer;
    LoopTimer repeatTimer;
    Transport transport(setup.options, port, rng, tickTimer, endTimer, repeatTimer, host);
    host.attach(transport);
    timer.SetInterval(static_cast<std::uint32_t>(setup.options.timerInterval()));
    timer.SetOnTimer([&transport](TMMTimer& sender) { transport.MMTimerTimer(sender.currentTickDueNs()); });

    StopSignals signals;
    Terminal terminal;
    if (arguments.fromLine) {
        host.setCaretLine(*arguments.fromLine);
        transport.BitBtn5Click();
    } else {
        transport.BitBtn2Click();
    }
    if (!port.openError().empty()) {
        std::cerr << "velmora-cli: no sound: " << port.openError() << '\n';
    }

    auto lastStatus = LoopTimer::Clock::now() - kStatusEvery;
    while (transport.performing()) {
        if (stopRequested != 0) {
            transport.shutdown();
            break;
        }
        while (const auto key = terminal.pollKey()) {
            if (*key == ' ') transport.BitBtn4Click();
            if (*key == kEscape) transport.Action1Execute();
            if (*key == 'q' || *key == 'Q') transport.shutdown();
        }
        auto now = LoopTimer::Clock::now();
        const auto wait = std::min({std::chrono::duration_cast<LoopTimer::Clock::duration>(kLoopWait),
                                    endTimer.untilDue(now), repeatTimer.untilDue(now)});
        dispatcher.waitAndRun(wait);
        if (const std::string warning = output.backend->takeWarning(); !warning.empty()) {
            terminal.finishStatus();
            std::cerr << "velmora-cli: " << warning << '\n';
        }
        now = LoopTimer::Clock::now();
        if (endTimer.takeExpiry(now)) transport.Timer1Timer();
        if (repeatTimer.takeExpiry(now)) transport.Timer2Timer();
        if (now - lastStatus >= kStatusEvery) {
            terminal.showStatus(host.statusLine(terminal.width()));
            lastStatus = now;
        }
    }
    timer.SetEnabled(false);
    terminal.finishStatus();
    if (host.overran()) {
        std::cerr << "velmora-cli: " << kOverrunMessage << '\n';
        return 1;
    }
    return 0;
}

}  // namespace velmora::cli
