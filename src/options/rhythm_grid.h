#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct RhythmGrid {
    int gridSteps;  // steps per grid period, 0 = no grid
    int meterKind;  // 0, 3 (cycle of 6 steps) or 4 (cycle of 8 steps)

    bool operator==(const RhythmGrid&) const = default;
};

// The rhythm combo's items: seven grids and an eighth, empty item.
constexpr int kRhythmItemCount = 8;

// The grid of rhythm item `index`; nothing for the empty item or an index
// outside the list, which leave the current grid as it is.
std::optional<RhythmGrid> rhythmGrid(int index);

// The item texts, UTF-8 ("調整なし", "16拍（4拍子）", ..., "").
const std::vector<std::string>& rhythmItemTexts();

}  // namespace velmora
