#include "options/rhythm_grid.h"

#include "mapping/translatable_text.h"

namespace velmora {

std::optional<RhythmGrid> rhythmGrid(int index) {
    static constexpr RhythmGrid kGrids[] = {{0, 0}, {16, 4}, {12, 3}, {8, 4}, {6, 3}, {4, 4}, {4, 4}};
    if (index < 0 || index >= static_cast<int>(std::size(kGrids))) return std::nullopt;
    return kGrids[index];
}

const std::vector<std::string>& rhythmItemTexts() {
    static const std::vector<std::string> kTexts = {
        QT_TRANSLATE_NOOP("EngineTexts", "調整なし"),      QT_TRANSLATE_NOOP("EngineTexts", "16拍（4拍子）"),
        QT_TRANSLATE_NOOP("EngineTexts", "12拍（3拍子）"), QT_TRANSLATE_NOOP("EngineTexts", "8拍（4拍子）"),
        QT_TRANSLATE_NOOP("EngineTexts", "6拍（3拍子）"),  QT_TRANSLATE_NOOP("EngineTexts", "4拍（4拍子）"),
        QT_TRANSLATE_NOOP("EngineTexts", "4拍（2拍子）"),  "",
    };
    return kTexts;
}

}  // namespace velmora
