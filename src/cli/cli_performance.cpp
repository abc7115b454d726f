#include "cli/cli_performance.h"

namespace velmora::cli {

CliPerformance::CliPerformance(const CliSetup& setup, MidiBackend& output, PeriodicTimer& tickTimer,
                               PlayerHost& host)
    : port_(output),
      rng_(setup.seed),
      host_(host),
      transport_(setup.options, port_, rng_, tickTimer, endTimer_, repeatTimer_, host) {
    // As the window's pattern selection does.
    transport_.state().keyNote = setup.keyNote;
    host_.attach(transport_);
}

void CliPerformance::start(std::optional<std::int32_t> fromLine) {
    if (fromLine) {
        host_.setCaretLine(*fromLine);
        transport_.linePlay();
    } else {
        transport_.play();
    }
}

}  // namespace velmora::cli
