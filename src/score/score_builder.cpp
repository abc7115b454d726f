#include "score/score_builder.h"

#include <algorithm>

namespace velmora {

namespace {

double textLengthOf(const ExportRequest& request) {
    if (request.playLines.empty()) return 0.0;
    if (!request.lineStarts.empty()) {
        return request.lineStarts.back() + static_cast<double>(request.playLines.back().size());
    }
    double length = 0.0;
    for (const std::string& line : request.playLines) length += static_cast<double>(line.size()) + 2.0;
    return length;
}

}  // namespace

ScoreBuilder::ScoreBuilder(const ExportRequest& request, MusicXmlWriter& writer, std::vector<ScorePart> parts,
                           MelodyLyrics& lyrics, const ScoreHooks& hooks, double progressShare)
    : writer_(writer),
      parts_(std::move(parts)),
      lyrics_(lyrics),
      hooks_(hooks),
      progressShare_(progressShare),
      textLength_(textLengthOf(request)),
      melody_(ScoreMetre::forMeterKind(request.options.grid.meterKind), writer),
      chords_(ScoreMetre::forMeterKind(request.options.grid.meterKind), writer) {
    writer_.beginDocument(parts_);
    writer_.beginPart(parts_.at(0));
}

void ScoreBuilder::noteWritten(SmfTrack track, std::int32_t step, std::uint8_t note, std::uint8_t velocity,
                               std::int32_t memoOffset) {
    report(track, memoOffset);
    if (note > 127) return;  // not a MIDI note; the roll leaves it out too
    PartTimeline& part = track == SmfTrack::Melody ? melody_ : chords_;
    if (velocity == 0) {
        part.noteOff(step, note);
    } else if (track == SmfTrack::Melody) {
        part.noteOn(step, note, lyrics_.at(memoOffset));
    } else {
        part.noteOn(step, note);
    }
}

void ScoreBuilder::trackFinished(SmfTrack track, std::int32_t steps) {
    if (track == SmfTrack::Melody) {
        melody_.finish(steps);
        writer_.endPart();
        writer_.beginPart(parts_.at(1));
    } else {
        chords_.finish(steps);
        writer_.endPart();
        writer_.endDocument();
    }
}

// The melody track is the first half of the rendering, the chord track the
// second, each walking the text from its start.
void ScoreBuilder::report(SmfTrack track, std::int32_t memoOffset) {
    if (hooks_.cancel != nullptr && hooks_.cancel->load(std::memory_order_relaxed)) throw ScoreCancelled();
    if (!hooks_.progress || memoOffset < 0 || textLength_ <= 0) return;
    const double within = std::min(1.0, memoOffset / textLength_);
    const int permille =
        static_cast<int>(1000.0 * progressShare_ * 0.5 * (within + (track == SmfTrack::Chord ? 1.0 : 0.0)));
    if (permille == lastPermille_) return;
    lastPermille_ = permille;
    hooks_.progress(permille / 1000.0);
}

}  // namespace velmora
