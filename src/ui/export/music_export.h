#pragma once

#include <memory>
#include <optional>
#include <string>

#include "documents/file_error.h"
#include "engine/performance_state.h"
#include "mapping/random_source.h"
#include "options/performance_options.h"
#include "score/score_export.h"
#include "smf/build_midi_file.h"
#include "ui/export/background_task.h"
#include "ui/memo/memo_geometry.h"

#ifdef VELMORA_HAVE_SOUND
#include "sound/audio_file_renderer.h"
#endif

namespace velmora {

// What an export plays: the memo's lines as now displayed, the options, and
// the grid and key the performance state holds.
ExportRequest exportRequestFor(const MemoGeometry& memo, const PerformanceOptions& options,
                               const PerformanceState& state);

// How an export in the background ended; read it once its task has finished.
struct ExportOutcome {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Failed;
    std::string error;                   // why it failed (English, or the window's text)
    std::optional<FileError> fileError;  // when the file could not be written
};

// Builds the Standard MIDI File in the background, drawing the random choices
// from `random`, and writes it to `target` unless cancelled first. `random`
// and `outcome` must outlive the task.
std::unique_ptr<BackgroundTask> startMidiExport(ExportRequest request, SeededRandom& random, std::string target,
                                                ExportOutcome& outcome);

// Where a score goes: the file, its kind, and the title printed above it (UTF-8).
struct ScoreTarget {
    std::string path;
    ScoreFormat format = ScoreFormat::MusicXml;
    std::string title;
};

// The same music as a score with the text's characters under the melody's
// notes, written in the background; a cancel leaves no file.
std::unique_ptr<BackgroundTask> startScoreExport(ExportRequest request, SeededRandom& random,
                                                 ScoreTarget score, ExportOutcome& outcome);

#ifdef VELMORA_HAVE_SOUND
// The same music rendered through the synthesizer into the sound file that
// `audio` names (path, format, soundfont, title; its MIDI bytes are made here);
// a music too long for a WAV file is refused before any rendering.
std::unique_ptr<BackgroundTask> startAudioExport(ExportRequest request, SeededRandom& random,
                                                 AudioRenderRequest audio, ExportOutcome& outcome);
#endif

}  // namespace velmora
