#pragma once

#include <cstdint>

#include "roll/roll_canvas.h"
#include "roll/roll_layout.h"

namespace velmora {

// How a window's view draws labels where the pictures keep their small fixed sizes.
struct RollLabelStyle {
    int pixels = 0;  // the axis's and the bars' labels; 0: the pictures' sizes, fitted to the rows
};

// Draws the part of a roll that a view of `viewWidth` pixels shows when
// scrolled `scrollX` pixels to the right; the pitch axis stays at the left
// edge. cursorStep, when not negative, is marked as the step playing now.
void drawRoll(RollCanvas& canvas, const RollLayout& layout, double scrollX, double viewWidth,
              std::int32_t cursorStep = -1, const RollColours& colours = {}, const RollLabelStyle& labels = {});

}  // namespace velmora
