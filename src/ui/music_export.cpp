#include "ui/music_export.h"

#ifdef VELMORA_HAVE_SOUND
#include "sound/wav_renderer.h"
#endif

namespace velmora {

ExportRequest exportRequestFor(const MemoGeometry& memo, const PerformanceOptions& options,
                               const PerformanceState& state) {
    ExportRequest request;
    request.playLines = memo.playLines();
    request.lineStarts = memo.lineStarts();
    request.options = options;
    request.keyNote = state.keyNote;
    return request;
}

#ifdef VELMORA_HAVE_SOUND
std::unique_ptr<BackgroundTask> startWavRender(std::vector<std::uint8_t> midiFile, std::string target,
                                               std::string soundfont, WavRenderResult& result) {
    return std::make_unique<BackgroundTask>(
        [midiFile = std::move(midiFile), target = std::move(target), soundfont = std::move(soundfont), &result](
            const BackgroundTask::Progress& progress, const std::atomic<bool>& cancel) {
            try {
                result = renderWav(midiFile, target, soundfont, progress, &cancel);
            } catch (const std::exception& error) {
                result = {WavRenderResult::Status::Failed, error.what(), 0.0, error.what()};
            }
        });
}
#endif

}  // namespace velmora
