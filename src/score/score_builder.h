#pragma once

#include <cstdint>
#include <vector>

#include "score/melody_lyrics.h"
#include "score/musicxml_writer.h"
#include "score/part_timeline.h"
#include "score/score_export.h"
#include "smf/render_track.h"

namespace velmora {

// Listens to the MIDI export's renderer and writes the score as the notes come:
// the melody track becomes the first part (with lyrics), the chord track the
// second. Reports progress and stops the rendering on a cancel request.
class ScoreBuilder final : public RenderObserver {
public:
    ScoreBuilder(const ExportRequest& request, MusicXmlWriter& writer, std::vector<ScorePart> parts,
                 MelodyLyrics& lyrics, const ScoreHooks& hooks, double progressShare);

    void noteWritten(SmfTrack track, std::int32_t step, std::uint8_t note, std::uint8_t velocity,
                     std::int32_t memoOffset) override;
    void trackFinished(SmfTrack track, std::int32_t steps) override;

private:
    void report(SmfTrack track, std::int32_t memoOffset);

    MusicXmlWriter& writer_;
    std::vector<ScorePart> parts_;
    MelodyLyrics& lyrics_;
    const ScoreHooks& hooks_;
    double progressShare_;
    double textLength_;
    int lastPermille_ = -1;
    PartTimeline melody_;
    PartTimeline chords_;
};

}  // namespace velmora
