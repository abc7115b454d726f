#include "engine/rhythm_grid.h"

namespace velmora {

std::optional<RhythmGrid> rhythmGrid(int index) {
    static constexpr RhythmGrid kGrids[] = {{0, 0}, {16, 4}, {12, 3}, {8, 4}, {6, 3}, {4, 4}, {4, 4}};
    if (index < 0 || index >= static_cast<int>(std::size(kGrids))) return std::nullopt;
    return kGrids[index];
}

const std::vector<std::string>& rhythmItemTexts() {
    static const std::vector<std::string> kTexts = {
        "調整なし", "16拍（4拍子）", "12拍（3拍子）", "8拍（4拍子）", "6拍（3拍子）", "4拍（4拍子）", "4拍（2拍子）", "",
    };
    return kTexts;
}

}  // namespace velmora
