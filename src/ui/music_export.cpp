#include "ui/music_export.h"

#include "documents/atomic_file.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/wav_renderer.h"
#endif

namespace velmora {

namespace {

using Status = ExportOutcome::Status;

// Runs the export step, turning what it throws into a failed outcome.
template <typename Step>
void guarded(ExportOutcome& outcome, Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        outcome = {Status::Failed, error.what()};
    }
}

}  // namespace

ExportRequest exportRequestFor(const MemoGeometry& memo, const PerformanceOptions& options,
                               const PerformanceState& state) {
    ExportRequest request;
    request.playLines = memo.playLines();
    request.lineStarts = memo.lineStarts();
    request.options = options;
    request.keyNote = state.keyNote;
    return request;
}

std::unique_ptr<BackgroundTask> startMidiExport(ExportRequest request, SeededRandom& random, std::string target,
                                                ExportOutcome& outcome) {
    return std::make_unique<BackgroundTask>(
        [request = std::move(request), &random, target = std::move(target), &outcome](
            const BackgroundTask::Progress&, const std::atomic<bool>& cancel) {
            guarded(outcome, [&] {
                const std::vector<std::uint8_t> file = BuildMidiFile(request, random);
                if (cancel) {
                    outcome = {Status::Cancelled, {}};
                    return;
                }
                writeFileAtomically(target, file.data(), file.size());
                outcome = {Status::Written, {}};
            });
        });
}

#ifdef VELMORA_HAVE_SOUND
std::unique_ptr<BackgroundTask> startWavExport(ExportRequest request, SeededRandom& random, std::string target,
                                               std::string soundfont, ExportOutcome& outcome) {
    return std::make_unique<BackgroundTask>(
        [request = std::move(request), &random, target = std::move(target), soundfont = std::move(soundfont),
         &outcome](const BackgroundTask::Progress& progress, const std::atomic<bool>& cancel) {
            guarded(outcome, [&] {
                const std::vector<std::uint8_t> file = BuildMidiFile(request, random);
                const WavRenderResult result = renderWav(file, target, soundfont, progress, &cancel);
                switch (result.status) {
                    case WavRenderResult::Status::Written:
                        outcome = {Status::Written, {}};
                        break;
                    case WavRenderResult::Status::Cancelled:
                        outcome = {Status::Cancelled, {}};
                        break;
                    case WavRenderResult::Status::Failed:
                        outcome = {Status::Failed, result.error};
                        break;
                }
            });
        });
}
#endif

}  // namespace velmora
