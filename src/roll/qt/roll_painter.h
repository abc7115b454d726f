#pragma once

#include <QColor>
#include <cstdint>

#include "roll/roll_layout.h"

class QPainter;

namespace velmora {

struct RollColours {
    QColor melody{0xd9, 0x4f, 0x3d};
    QColor chord{0x3a, 0x7b, 0xc8};
    QColor background{0xfb, 0xfb, 0xf8};
    QColor row{0xe6, 0xe6, 0xe0};
    QColor nameBaseRow{0xc4, 0xc4, 0xbc};
    QColor bar{0x70, 0x70, 0x70};
    QColor axis{0xee, 0xee, 0xe8};
    QColor text{0x30, 0x30, 0x30};
    QColor cursor{0x20, 0xa0, 0x40};
};

// Paints the part of a roll that a view of `viewWidth` pixels shows when
// scrolled `scrollX` pixels to the right; the pitch axis stays at the left
// edge. cursorStep, when not negative, is marked as the step playing now.
void paintRoll(QPainter& painter, const RollLayout& layout, double scrollX, double viewWidth,
               std::int32_t cursorStep = -1, const RollColours& colours = {});

}  // namespace velmora
