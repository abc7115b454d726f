#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/performance_options.h"
#include "engine/performance_state.h"
#include "smf/build_midi_file.h"
#include "ui/background_task.h"
#include "ui/memo_geometry.h"

namespace velmora {

// What an export plays: the memo's lines as now displayed, the options, and
// the grid and key the performance state holds.
ExportRequest exportRequestFor(const MemoGeometry& memo, const PerformanceOptions& options,
                               const PerformanceState& state);

#ifdef VELMORA_HAVE_SOUND
struct AudioRenderResult;
using WavRenderResult = AudioRenderResult;

// Renders the Standard MIDI File bytes into a WAV file at `target` in the
// background; `result` is written when the task has finished.
std::unique_ptr<BackgroundTask> startWavRender(std::vector<std::uint8_t> midiFile, std::string target,
                                               std::string soundfont, WavRenderResult& result);
#endif

}  // namespace velmora
