#pragma once

#include <QPainter>
#include <cstdint>

#include "roll/roll_canvas.h"
#include "roll/roll_layout.h"

namespace velmora {

// A roll drawn with a QPainter: the window's view and the PNG pictures.
class PainterRollCanvas final : public RollCanvas {
public:
    explicit PainterRollCanvas(QPainter& painter) : painter_(painter) {}
    void fillRect(double x, double y, double width, double height, RollColour colour) override;
    void line(double x1, double y1, double x2, double y2, RollColour colour, double width) override;
    void text(double x, double y, const std::string& utf8, int pixelSize, RollColour colour) override;
    void textInRow(double x, double top, double height, const std::string& utf8, int pixelSize,
                   RollColour colour) override;

private:
    void usePixelSize(int pixelSize);
    QPainter& painter_;
};

// Paints the part of a roll that a view of `viewWidth` pixels shows when
// scrolled `scrollX` pixels to the right; the pitch axis stays at the left
// edge. cursorStep, when not negative, is marked as the step playing now.
void paintRoll(QPainter& painter, const RollLayout& layout, double scrollX, double viewWidth,
               std::int32_t cursorStep = -1, const RollColours& colours = {});

// Paints the part of a roll that a window's view of `viewSize` shows when
// scrolled by `scroll`: the rows scroll under the bar numbers, which stay at
// the top, and the pitch axis stays at the left edge. Labels are drawn
// `labelPixels` high.
void paintRollView(QPainter& painter, const RollLayout& layout, QPointF scroll, QSizeF viewSize,
                   std::int32_t cursorStep, int labelPixels, const RollColours& colours = {});

}  // namespace velmora
