#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "roll/roll_model.h"

namespace velmora {

struct RollRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    bool contains(double px, double py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

// One row of the pitch axis.
struct RollPitchRow {
    std::uint8_t pitch = 0;
    double y = 0;       // top of the row
    std::string name;   // the note display's name of the pitch
    bool isNameBase = false;  // the row names the key's first degree: a stronger line
};

// Where everything of a roll lies: time runs to the right from the pitch axis,
// pitch upwards, one row per semitone, one column per step. Coordinates are
// pixels of the whole roll (a view scrolls over them).
class RollLayout {
public:
    static constexpr double kAxisWidth = 34;
    static constexpr double kHeaderHeight = 14;  // bar numbers above the notes
    static constexpr double kDefaultStepWidth = 8;
    static constexpr double kDefaultRowHeight = 7;
    static constexpr int kRangeMargin = 2;       // empty rows above and below the notes
    static constexpr int kMinimumRows = 13;      // at least an octave

    explicit RollLayout(const RollModel& model, double stepWidth = kDefaultStepWidth,
                        double rowHeight = kDefaultRowHeight);

    const RollModel& model() const { return *model_; }
    double stepWidth() const { return stepWidth_; }
    double rowHeight() const { return rowHeight_; }
    double width() const;
    double height() const { return kHeaderHeight + rows() * rowHeight_; }
    int rows() const { return highestRow_ - lowestRow_ + 1; }
    int lowestRowPitch() const { return lowestRow_; }
    int highestRowPitch() const { return highestRow_; }

    double stepX(std::int32_t step) const { return kAxisWidth + step * stepWidth_; }
    // The step under an x position (may lie outside the music).
    std::int32_t stepAt(double x) const;
    double pitchY(int pitch) const { return kHeaderHeight + (highestRow_ - pitch) * rowHeight_; }
    // The pitch of the row at a y position, if one lies there.
    std::optional<int> pitchAt(double y) const;
    // The pitch's name with the octave of the name base's row at or below it, as the axis labels that row.
    std::string pitchLabel(int pitch) const;

    // A note is at least a sliver wide, so that a note of no length can be seen and clicked.
    RollRect noteRect(const RollNote& note) const;
    // The steps at which bars start, from the first to the end of the music.
    std::vector<std::int32_t> barSteps() const;
    // Those of them from firstStep to lastStep.
    std::vector<std::int32_t> barStepsBetween(std::int32_t firstStep, std::int32_t lastStep) const;
    std::vector<RollPitchRow> pitchRows() const;

    // The indices of the notes that may meet the steps first..last.
    std::pair<std::size_t, std::size_t> notesBetween(std::int32_t firstStep, std::int32_t lastStep) const;
    // The note under a point; a melody note wins over a chord note beneath it.
    std::optional<std::size_t> noteAt(double x, double y) const;
    // The engine offset of the character that made the note under a point.
    std::optional<std::int32_t> memoOffsetAt(double x, double y) const;

private:
    const RollModel* model_;
    double stepWidth_;
    double rowHeight_;
    int lowestRow_ = 60;
    int highestRow_ = 72;
};

}  // namespace velmora
