#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// The score's metre. A step (one character's time) is an eighth note; the
// rhythm's metre gives the beats of a bar: 4/4 for the duple grids, 3/4 for
// the triple ones, and 4/4 also without a grid, where the music keeps no
// metre and common time is what readers assume.
struct ScoreMetre {
    int beats = 4;     // quarter notes per bar
    int barSteps = 8;  // eighth notes per bar

    static ScoreMetre forMeterKind(int meterKind) {
        return meterKind == 3 ? ScoreMetre{3, 6} : ScoreMetre{4, 8};
    }
};

// Steps are eighths and divisions count per quarter: every value is exact.
inline constexpr int kDivisionsPerQuarter = 2;

// How long the next written note or rest of a stretch is, in steps: the
// largest value (whole, dotted half, half, dotted quarter, quarter, eighth)
// that fits in `length` and starts where the beats let it: a value starts on
// a multiple of its undotted length (of a quarter in 3/4), and in 4/4 nothing
// but a bar-long note crosses the bar's middle, so the beats stay visible.
int nextWrittenSteps(const ScoreMetre& metre, int offset, int length);

// The written value of a length nextWrittenSteps gives.
struct WrittenValue {
    std::string_view type;  // MusicXML's note type: "eighth", "quarter", ...
    int dots = 0;
};
WrittenValue writtenValue(int steps);

}  // namespace velmora
