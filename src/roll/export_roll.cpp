#include "roll/export_roll.h"

#include <algorithm>

namespace velmora {

namespace {

class RollRecorder final : public RenderObserver {
public:
    explicit RollRecorder(RollBuilder& builder) : builder_(builder) {}

    void noteWritten(SmfTrack track, std::int32_t step, std::uint8_t note, std::uint8_t velocity,
                     std::int32_t memoOffset) override {
        const RollVoice voice = track == SmfTrack::Melody ? RollVoice::Melody : RollVoice::Chord;
        if (velocity == 0) {
            builder_.noteOff(voice, step, note);
        } else {
            builder_.noteOn(voice, step, note, memoOffset);
        }
        lastStep_ = std::max(lastStep_, step);
    }
    std::int32_t lastStep() const { return lastStep_; }

private:
    RollBuilder& builder_;
    std::int32_t lastStep_ = 0;
};

}  // namespace

RollModel buildExportRoll(const ExportRequest& request, RandomSource& rng) {
    const PerformanceOptions& options = request.options;
    // Sounding notes carry the key shift; so does the axis' name base.
    const int nameBaseOfNotes = options.noteNameBase();
    RollBuilder builder(options.grid.meterKind, nameBaseOfNotes);
    RollRecorder recorder(builder);
    buildMidiFile(request, rng, &recorder);
    return builder.finish(recorder.lastStep());
}

}  // namespace velmora
