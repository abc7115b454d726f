#include "ui/export/music_export.h"

#include <algorithm>

namespace velmora {

namespace {

using Status = ExportOutcome::Status;

// Runs the export step, turning what it throws into a failed outcome.
template <typename Step>
void guarded(ExportOutcome& outcome, Step step) {
    try {
        step();
    } catch (const FileError& error) {
        outcome = {Status::Failed, error.englishWithDetail(), error};
    } catch (const ExportError& error) {
        outcome = {Status::Failed, error.windowText(), std::nullopt};
    } catch (const std::exception& error) {
        outcome = {Status::Failed, error.what(), std::nullopt};
    }
}

// Thrown from inside the render when the user cancels, to leave it at once.
struct ExportCancelled {};

// Follows the building of the file through the notes it writes: the melody
// track is the first half of the work, the chord track the second, each walking
// the text from its start. Stops the building when cancel is asked for.
class ExportProgress final : public RenderObserver {
public:
    // `progress` may be null: only the cancel is watched.
    ExportProgress(const ExportRequest& request, const BackgroundTask::Progress* progress,
                   const std::atomic<bool>& cancel)
        : progress_(progress), cancel_(cancel), textLength_(textLength(request)) {}

    void noteWritten(SmfTrack track, std::int32_t, std::uint8_t, std::uint8_t, std::int32_t memoOffset) override {
        if (cancel_) throw ExportCancelled{};
        if (progress_ == nullptr || memoOffset < 0 || textLength_ <= 0) return;
        const double within = std::min(1.0, static_cast<double>(memoOffset) / textLength_);
        const int permille = static_cast<int>(500.0 * (within + (track == SmfTrack::Chord ? 1.0 : 0.0)));
        if (permille == lastPermille_) return;
        lastPermille_ = permille;
        (*progress_)(permille / 1000.0);
    }

private:
    static double textLength(const ExportRequest& request) {
        if (request.playLines.empty()) return 0.0;
        if (!request.lineStarts.empty())
            return request.lineStarts.back() + static_cast<double>(request.playLines.back().size());
        double length = 0.0;
        for (const std::string& line : request.playLines) length += static_cast<double>(line.size()) + 2.0;
        return length;
    }

    const BackgroundTask::Progress* progress_;
    const std::atomic<bool>& cancel_;
    double textLength_;
    int lastPermille_ = -1;
};

}  // namespace

ExportRequest exportRequestFor(const MemoGeometry& memo, const PerformanceOptions& options,
                               const PerformanceState& state) {
    ExportRequest request;
    request.playLines = memo.playLines();
    request.lineStarts = memo.lineStarts();
    request.textLines = memo.textLines();
    request.options = options;
    request.keyNote = state.keyNote;
    return request;
}

std::unique_ptr<BackgroundTask> startMidiExport(ExportRequest request, SeededRandom& random, std::string target,
                                                ExportOutcome& outcome) {
    return std::make_unique<BackgroundTask>(
        [request = std::move(request), &random, target = std::move(target), &outcome](
            const BackgroundTask::Progress& progress, const std::atomic<bool>& cancel) {
            guarded(outcome, [&] {
                try {
                    // Streamed into the file as the command line's export is: a
                    // cancel leaves nothing, and the old file as it was.
                    ExportProgress observer(request, &progress, cancel);
                    exportMidiFile(target, request, random, {}, &observer);
                    outcome = {Status::Written, {}, std::nullopt};
                } catch (const ExportCancelled&) {
                    outcome = {Status::Cancelled, {}, std::nullopt};
                }
            });
        });
}

std::unique_ptr<BackgroundTask> startScoreExport(ExportRequest request, SeededRandom& random,
                                                 ScoreTarget score, ExportOutcome& outcome) {
    return std::make_unique<BackgroundTask>(
        [request = std::move(request), &random, score = std::move(score), &outcome](
            const BackgroundTask::Progress& progress, const std::atomic<bool>& cancel) {
            guarded(outcome, [&] {
                try {
                    exportScore(score.path, score.format, request, score.title, random, {progress, &cancel});
                    outcome = {Status::Written, {}, std::nullopt};
                } catch (const ScoreCancelled&) {
                    outcome = {Status::Cancelled, {}, std::nullopt};
                }
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
                try {
                    ExportProgress cancelWatch(request, nullptr, cancel);
                    audio.smfBytes = buildMidiFile(request, random, &cancelWatch);
                } catch (const ExportCancelled&) {
                    outcome = {Status::Cancelled, {}, std::nullopt};
                    return;
                }
                const AudioRenderResult result = renderAudioFile(audio, progress, &cancel);
                switch (result.status) {
                    case AudioRenderResult::Status::Written:
                        outcome = {Status::Written, {}, std::nullopt};
                        break;
                    case AudioRenderResult::Status::Cancelled:
                        outcome = {Status::Cancelled, {}, std::nullopt};
                        break;
                    case AudioRenderResult::Status::Failed:
                        outcome = {Status::Failed, result.error, result.fileError};
                        break;
                }
            });
        });
}
#endif

}  // namespace velmora
