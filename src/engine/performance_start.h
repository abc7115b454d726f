#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/live_channels.h"
#include "engine/performance_state.h"
#include "engine/performance_tick.h"
#include "midi/midi_out_port.h"
#include "options/performance_options.h"

namespace velmora {

// The engine's side of Play: resets the counters, takes the upper-cased lines
// and their memo offsets, opens the port and sends program changes, reverb and
// pan in Play's order.
void beginPlay(const PerformanceOptions& options, PerformanceState& state, MidiOutPort& port,
               std::vector<std::string> upperLines, std::vector<std::int32_t> lineStarts);

// The engine's side of LinePlay from `startLine` (clamped into the text): the
// same reset with the melody note forgotten, the silent pre-scan up to the start
// line, then the port opened with LinePlay's order of messages.
void beginLinePlay(const PerformanceOptions& options, PerformanceState& state, MidiOutPort& port,
                   PerformanceTick& tick, std::vector<std::string> upperLines,
                   std::vector<std::int32_t> lineStarts, std::int32_t startLine);

// All notes off on the backing channel, then the melody channel.
void allNotesOffBothChannels(MidiOutPort& port);
// All sound off on both channels, then the port closed.
void silenceAndClose(MidiOutPort& port);

}  // namespace velmora
