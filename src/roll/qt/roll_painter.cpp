#include "roll/qt/roll_painter.h"

#include <QFont>

#include "roll/roll_drawing.h"

namespace velmora {

namespace {

QColor qColour(RollColour colour) { return QColor(colour.red, colour.green, colour.blue); }

}  // namespace

void PainterRollCanvas::fillRect(double x, double y, double width, double height, RollColour colour) {
    painter_.fillRect(QRectF(x, y, width, height), qColour(colour));
}

void PainterRollCanvas::line(double x1, double y1, double x2, double y2, RollColour colour, double width) {
    painter_.setPen(QPen(qColour(colour), width));
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterRollCanvas::usePixelSize(int pixelSize) {
    if (painter_.font().pixelSize() == pixelSize) return;
    QFont font = painter_.font();
    font.setPixelSize(pixelSize);
    painter_.setFont(font);
}

void PainterRollCanvas::text(double x, double y, const std::string& utf8, int pixelSize, RollColour colour) {
    usePixelSize(pixelSize);
    painter_.setPen(qColour(colour));
    painter_.drawText(QPointF(x, y), QString::fromStdString(utf8));
}

void PainterRollCanvas::textInRow(double x, double top, double height, const std::string& utf8, int pixelSize,
                                  RollColour colour) {
    usePixelSize(pixelSize);
    painter_.setPen(qColour(colour));
    painter_.drawText(QRectF(x, top, RollLayout::kAxisWidth - 2 * x, height), Qt::AlignVCenter | Qt::AlignLeft,
                      QString::fromStdString(utf8));
}

void paintRoll(QPainter& painter, const RollLayout& layout, double scrollX, double viewWidth,
               std::int32_t cursorStep, const RollColours& colours) {
    painter.save();
    PainterRollCanvas canvas(painter);
    drawRoll(canvas, layout, scrollX, viewWidth, cursorStep, colours);
    painter.restore();
}

void paintRollView(QPainter& painter, const RollLayout& layout, QPointF scroll, QSizeF viewSize,
                   std::int32_t cursorStep, int labelPixels, const RollColours& colours) {
    const RollLabelStyle labels{labelPixels};
    PainterRollCanvas canvas(painter);
    painter.fillRect(QRectF(QPointF(0, 0), viewSize), qColour(colours.background));
    painter.save();
    painter.setClipRect(QRectF(0, RollLayout::kHeaderHeight, viewSize.width(), viewSize.height()));
    painter.translate(0, -scroll.y());
    drawRoll(canvas, layout, scroll.x(), viewSize.width(), cursorStep, colours, labels);
    painter.restore();
    painter.save();
    painter.setClipRect(QRectF(0, 0, viewSize.width(), RollLayout::kHeaderHeight));
    drawRoll(canvas, layout, scroll.x(), viewSize.width(), cursorStep, colours, labels);
    painter.restore();
}

}  // namespace velmora
