#pragma once

#include <cstdint>

#include "roll/roll_canvas.h"
#include "roll/roll_layout.h"

namespace velmora {

// Draws the part of a roll that a view of `viewWidth` pixels shows when
// scrolled `scrollX` pixels to the right; the pitch axis stays at the left
// edge. cursorStep, when not negative, is marked as the step playing now.
void drawRoll(RollCanvas& canvas, const RollLayout& layout, double scrollX, double viewWidth,
              std::int32_t cursorStep = -1, const RollColours& colours = {});

}  // namespace velmora
