#include "score/part_timeline.h"

#include <algorithm>

namespace velmora {

void PartTimeline::noteOn(std::int32_t step, std::uint8_t pitch, const MelodyLyric& lyric) {
    advanceTo(step);
    const auto at = std::lower_bound(sounding_.begin(), sounding_.end(), pitch,
                                     [](const Sounding& s, std::uint8_t p) { return s.pitch < p; });
    if (at != sounding_.end() && at->pitch == pitch) {
        if (at->struckAt == step) return;  // a chord doubling a note
        *at = {pitch, step, lyric};        // struck again: a new note
        return;
    }
    sounding_.insert(at, {pitch, step, lyric});
}

void PartTimeline::noteOff(std::int32_t step, std::uint8_t pitch) {
    advanceTo(step);
    sounding_.erase(std::remove_if(sounding_.begin(), sounding_.end(),
                                   [&](const Sounding& s) { return s.pitch == pitch; }),
                    sounding_.end());
}

void PartTimeline::finish(std::int32_t totalSteps) {
    const std::int64_t end = std::max<std::int64_t>(totalSteps, changedAt_);
    advanceTo(end);
    sounding_.clear();
    const std::int64_t bars = std::max<std::int64_t>(1, (end + metre_.barSteps - 1) / metre_.barSteps);
    advanceTo(bars * metre_.barSteps);
    markTiesOfPrevious(bars * metre_.barSteps);
    if (!bars_.empty()) bars_.back().last = true;
    while (!bars_.empty()) handOverFront();
}

// Closes the stretch [changedAt_, step) with the notes sounding now.
void PartTimeline::advanceTo(std::int64_t step) {
    if (step <= changedAt_) return;
    const std::int64_t start = changedAt_;
    markTiesOfPrevious(start);
    for (std::int64_t piece = start; piece < step;) {
        const std::int64_t barEnd = (piece / metre_.barSteps + 1) * metre_.barSteps;
        const std::int64_t end = std::min(barEnd, step);
        addPiece(piece, end, end < step);
        piece = end;
    }
    changedAt_ = step;
    handOverBarsEndingBefore(step);
}

// The stretch before `start` learns which of its notes go on: those still
// sounding that were not struck again at `start`.
void PartTimeline::markTiesOfPrevious(std::int64_t start) {
    if (!hasPrevious_) return;
    hasPrevious_ = false;
    ScoreBar& bar = bars_[static_cast<std::size_t>(previousBar_ - firstOpenBar_)];
    const BarStretch& stretch = bar.stretches[previousStretch_];
    for (std::uint32_t i = 0; i < stretch.noteCount; ++i) {
        BarNote& note = bar.notes[stretch.firstNote + i];
        for (const Sounding& s : sounding_) {
            if (s.pitch == note.pitch && s.struckAt < start) note.tiedToNext = true;
        }
    }
}

// One stretch's piece within a bar; past the stretch's first piece every note is tied.
void PartTimeline::addPiece(std::int64_t start, std::int64_t end, bool continues) {
    const std::int64_t barIndex = start / metre_.barSteps;
    ScoreBar& bar = barAt(barIndex);
    BarStretch stretch;
    stretch.offset = static_cast<std::int32_t>(start - barIndex * metre_.barSteps);
    stretch.length = static_cast<std::int32_t>(end - start);
    stretch.firstNote = static_cast<std::uint32_t>(bar.notes.size());
    stretch.noteCount = static_cast<std::uint32_t>(sounding_.size());
    for (const Sounding& s : sounding_) {
        const bool struckHere = s.struckAt == start;
        bar.notes.push_back({s.pitch, !struckHere, continues});
        if (struckHere && s.lyric.present() && !stretch.lyric.present()) stretch.lyric = s.lyric;
    }
    bar.stretches.push_back(stretch);
    hasPrevious_ = true;
    previousBar_ = barIndex;
    previousStretch_ = bar.stretches.size() - 1;
}

ScoreBar& PartTimeline::barAt(std::int64_t index) {
    if (bars_.empty()) firstOpenBar_ = index;
    while (firstOpenBar_ + static_cast<std::int64_t>(bars_.size()) <= index) {
        ScoreBar bar;
        if (!spare_.empty()) {
            bar = std::move(spare_.back());
            spare_.pop_back();
            bar.stretches.clear();
            bar.notes.clear();
        }
        bar.number = firstOpenBar_ + static_cast<std::int64_t>(bars_.size()) + 1;
        bar.last = false;
        bars_.push_back(std::move(bar));
    }
    return bars_[static_cast<std::size_t>(index - firstOpenBar_)];
}

void PartTimeline::handOverBarsEndingBefore(std::int64_t step) {
    while (!bars_.empty() && (firstOpenBar_ + 1) * metre_.barSteps < step) handOverFront();
}

void PartTimeline::handOverFront() {
    consumer_.bar(bars_.front());
    spare_.push_back(std::move(bars_.front()));
    bars_.pop_front();
    ++firstOpenBar_;
    if (spare_.size() > 4) spare_.resize(4);
}

}  // namespace velmora
