#pragma once

#include <cstdint>
#include <vector>

#include "engine/performance_options.h"
#include "engine/performance_state.h"
#include "mapping/random_source.h"
#include "smf/smf_writer.h"

namespace velmora {

struct RenderContext {
    const PerformanceOptions& options;
    PerformanceState& state;                 // the export's own working state
    std::vector<std::uint8_t>& melodyRecord; // pass 0 fills it, pass 1 reads it
    RandomSource& rng;
};

// Writes the note events of one music track: pass 0 the melody (channel 0),
// pass 1 the chords (channel 1), walking the whole text by the tick's rules.
// The caller has reset the working state and the accumulators for the pass.
void RenderTrack(SmfWriter& writer, int pass, RenderContext& context);

}  // namespace velmora
