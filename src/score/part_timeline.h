#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "score/note_values.h"
#include "score/score_bar.h"

namespace velmora {

// Turns one part's note-ons and note-offs, given in the order of their steps,
// into bars: whenever the sounding notes change a stretch ends, cut where it
// crosses bar lines; a note that sounds on across a cut is tied, a note
// struck again is not. A second note-on of a sounding pitch in the same step
// is the same note; a note-off of a pitch that does not sound is ignored.
// Bars go to the consumer as soon as they are complete, so only the bars
// still open are held.
class PartTimeline {
public:
    PartTimeline(const ScoreMetre& metre, BarConsumer& consumer) : metre_(metre), consumer_(consumer) {}

    void noteOn(std::int32_t step, std::uint8_t pitch, const MelodyLyric& lyric = {});
    void noteOff(std::int32_t step, std::uint8_t pitch);
    // Ends what still sounds at `totalSteps`, fills the last bar with rest
    // and hands over the remaining bars (at least one bar in all).
    void finish(std::int32_t totalSteps);

private:
    struct Sounding {
        std::uint8_t pitch;
        std::int64_t struckAt;
        MelodyLyric lyric;
    };

    void advanceTo(std::int64_t step);
    void markTiesOfPrevious(std::int64_t start);
    void addPiece(std::int64_t start, std::int64_t end, bool continues);
    ScoreBar& barAt(std::int64_t index);
    void handOverBarsEndingBefore(std::int64_t step);
    void handOverFront();

    ScoreMetre metre_;
    BarConsumer& consumer_;
    std::vector<Sounding> sounding_;  // by pitch
    std::int64_t changedAt_ = 0;      // where the current stretch began
    std::int64_t firstOpenBar_ = 0;   // index of bars_.front()
    std::deque<ScoreBar> bars_;       // open bars, oldest first
    std::vector<ScoreBar> spare_;     // handed-over bars, kept for their memory
    bool hasPrevious_ = false;        // the last stretch added, whose ties wait for the next
    std::int64_t previousBar_ = 0;
    std::size_t previousStretch_ = 0;
};

}  // namespace velmora
