#include "ui/music_export.h"

#include "documents/atomic_file.h"
#ifdef VELMORA_HAVE_SOUND
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
std::unique_ptr<BackgroundTask> startAudioExport(ExportRequest request, SeededRandom& random,
                                                 AudioRenderRequest audio, ExportOutcome& outcome) {
    return std::make_unique<BackgroundTask>(
        [request = std::move(request), &random, audio = std::move(audio), &outcome](
            const BackgroundTask::Progress& progress, const std::atomic<bool>& cancel) mutable {
            guarded(outcome, [&] {
                audio.smfBytes = BuildMidiFile(request, random);
                const AudioRenderResult result = renderAudioFile(audio, progress, &cancel);
                switch (result.status) {
                    case AudioRenderResult::Status::Written:
                        outcome = {Status::Written, {}};
                        break;
                    case AudioRenderResult::Status::Cancelled:
                        outcome = {Status::Cancelled, {}};
                        break;
                    case AudioRenderResult::Status::Failed:
                        outcome = {Status::Failed, result.error};
                        break;
                }
            });
        });
}
#endif

}  // namespace velmora
