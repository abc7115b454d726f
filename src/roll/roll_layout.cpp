#include "roll/roll_layout.h"

#include <algorithm>
#include <cmath>

#include "mapping/note_names.h"

namespace velmora {

namespace {
constexpr double kMinimumNoteWidth = 2;
}

RollLayout::RollLayout(const RollModel& model, double stepWidth, double rowHeight)
    : model_(&model), stepWidth_(stepWidth), rowHeight_(rowHeight) {
    // Without notes, the octave around the E above middle C. (A page of a
    // long roll may hold none of the notes whose range it shows.)
    const bool noRange = model.notes.empty() && model.highestPitch == 0;
    int low = noRange ? 64 : model.lowestPitch;
    int high = noRange ? 64 : model.highestPitch;
    low -= kRangeMargin;
    high += kRangeMargin;
    // Too narrow a range grows evenly on both sides to an octave.
    while (high - low + 1 < kMinimumRows) {
        if ((high - low) % 2 == 0) ++high; else --low;
    }
    // At the edges of the MIDI range the rows move inwards instead of shrinking.
    if (high > 127) {
        low -= high - 127;
        high = 127;
    }
    if (low < 0) {
        high = std::min(127, high - low);
        low = 0;
    }
    lowestRow_ = low;
    highestRow_ = high;
}

double RollLayout::width() const { return stepX(model_->totalSteps) + stepWidth_; }

std::int32_t RollLayout::stepAt(double x) const {
    return static_cast<std::int32_t>(std::floor((x - kAxisWidth) / stepWidth_));
}

std::optional<int> RollLayout::pitchAt(double y) const {
    if (y < kHeaderHeight) return std::nullopt;
    const int pitch = highestRow_ - static_cast<int>(std::floor((y - kHeaderHeight) / rowHeight_));
    if (pitch < lowestRow_) return std::nullopt;
    return pitch;
}

std::string RollLayout::pitchLabel(int pitch) const {
    const int base = pitch - ((pitch - model_->nameBase) % 12 + 12) % 12;
    const int octave = static_cast<int>(std::floor(base / 12.0)) - 1;
    return pitchName(pitch, model_->nameBase) + std::to_string(octave);
}

RollRect RollLayout::noteRect(const RollNote& note) const {
    return {stepX(note.startStep), pitchY(note.pitch), std::max(kMinimumNoteWidth, note.lengthSteps * stepWidth_),
            rowHeight_};
}

std::vector<std::int32_t> RollLayout::barSteps() const { return barStepsBetween(0, model_->totalSteps); }

std::vector<std::int32_t> RollLayout::barStepsBetween(std::int32_t firstStep, std::int32_t lastStep) const {
    std::vector<std::int32_t> bars;
    const std::int32_t perBar = model_->stepsPerBar;
    if (perBar <= 0) return bars;
    const std::int32_t first = std::max(0, (firstStep + perBar - 1) / perBar * perBar);
    for (std::int32_t step = first; step <= std::min(lastStep, model_->totalSteps); step += perBar) {
        bars.push_back(step);
    }
    return bars;
}

std::vector<RollPitchRow> RollLayout::pitchRows() const {
    std::vector<RollPitchRow> rows;
    for (int pitch = highestRow_; pitch >= lowestRow_; --pitch) {
        int degree = (pitch - model_->nameBase) % 12;
        rows.push_back({static_cast<std::uint8_t>(pitch), pitchY(pitch), pitchName(pitch, model_->nameBase),
                        degree == 0});
    }
    return rows;
}

std::pair<std::size_t, std::size_t> RollLayout::notesBetween(std::int32_t firstStep, std::int32_t lastStep) const {
    const auto& notes = model_->notes;
    const auto byStart = [](const RollNote& note, std::int32_t step) { return note.startStep < step; };
    // A note that started up to the longest note's length before firstStep may still sound there.
    const auto begin = std::lower_bound(notes.begin(), notes.end(), firstStep - model_->longestNote, byStart);
    const auto end = std::lower_bound(begin, notes.end(), lastStep + 1, byStart);
    return {static_cast<std::size_t>(begin - notes.begin()), static_cast<std::size_t>(end - notes.begin())};
}

std::optional<std::size_t> RollLayout::noteAt(double x, double y) const {
    const std::int32_t step = stepAt(x);
    // Notes narrower than a step are drawn a sliver wide: look one step back as well.
    const auto [begin, end] = notesBetween(step - 1, step);
    std::optional<std::size_t> found;
    for (std::size_t index = begin; index < end; ++index) {
        const RollNote& note = model_->notes[index];
        if (!noteRect(note).contains(x, y)) continue;
        if (note.voice == RollVoice::Melody) return index;
        if (!found) found = index;
    }
    return found;
}

std::optional<std::int32_t> RollLayout::memoOffsetAt(double x, double y) const {
    const std::optional<std::size_t> index = noteAt(x, y);
    if (!index) return std::nullopt;
    const std::int32_t offset = model_->notes[*index].memoOffset;
    if (offset < 0) return std::nullopt;
    return offset;
}

}  // namespace velmora
