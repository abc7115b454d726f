#pragma once

#include <cstdint>
#include <optional>

#include "cli/cli_setup.h"
#include "cli/loop_timer.h"
#include "cli/player_host.h"
#include "engine/transport.h"
#include "mapping/random_source.h"
#include "midi/midi_backend.h"
#include "midi/midi_out_port.h"

namespace velmora::cli {

// The prepared text performed as the window performs it: one transport over a
// port on `output`, with the player's host and loop timers for the end wait and
// the repeat gap. play drives it with the multimedia timer, trace with a tick
// timer whose ticks run back to back.
class CliPerformance {
public:
    CliPerformance(const CliSetup& setup, MidiBackend& output, PeriodicTimer& tickTimer, PlayerHost& host);
    CliPerformance(const CliPerformance&) = delete;
    CliPerformance& operator=(const CliPerformance&) = delete;

    // Play, or LinePlay from `fromLine`.
    void start(std::optional<std::int32_t> fromLine);

    Transport& transport() { return transport_; }
    MidiOutPort& port() { return port_; }
    LoopTimer& endTimer() { return endTimer_; }
    LoopTimer& repeatTimer() { return repeatTimer_; }

private:
    MidiOutPort port_;
    SeededRandom rng_;
    PlayerHost& host_;
    LoopTimer endTimer_;
    LoopTimer repeatTimer_;
    Transport transport_;
};

}  // namespace velmora::cli
