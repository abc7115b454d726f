#include "roll/qt/roll_painter.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

namespace velmora {

namespace {

void paintGrid(QPainter& painter, const RollLayout& layout, double left, double right, const RollColours& colours) {
    for (const RollPitchRow& row : layout.pitchRows()) {
        painter.setPen(row.isNameBase ? colours.nameBaseRow : colours.row);
        const double y = row.y + layout.rowHeight();
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const std::vector<std::int32_t> bars = layout.barSteps();
    for (std::size_t index = 0; index < bars.size(); ++index) {
        const double x = layout.stepX(bars[index]);
        if (x < left - 40 || x > right) continue;
        painter.setPen(colours.bar);
        painter.drawLine(QPointF(x, RollLayout::kHeaderHeight), QPointF(x, layout.height()));
        painter.setPen(colours.text);
        painter.drawText(QPointF(x + 2, RollLayout::kHeaderHeight - 3), QString::number(index + 1));
    }
}

void paintNotes(QPainter& painter, const RollLayout& layout, double left, double right, const RollColours& colours) {
    const auto [begin, end] = layout.notesBetween(layout.stepAt(left), layout.stepAt(right) + 1);
    painter.setPen(Qt::NoPen);
    const auto& notes = layout.model().notes;
    // Chords first, so that the melody lies on top where they meet.
    for (const RollVoice voice : {RollVoice::Chord, RollVoice::Melody}) {
        painter.setBrush(voice == RollVoice::Melody ? colours.melody : colours.chord);
        for (std::size_t index = begin; index < end; ++index) {
            const RollNote& note = notes[index];
            if (note.voice != voice) continue;
            const RollRect rect = layout.noteRect(note);
            painter.drawRect(QRectF(rect.x, rect.y + 0.5, std::max(1.0, rect.width - 1), rect.height - 1));
        }
    }
}

void paintAxis(QPainter& painter, const RollLayout& layout, const RollColours& colours) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.axis);
    painter.drawRect(QRectF(0, 0, RollLayout::kAxisWidth, layout.height()));
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(std::clamp(layout.rowHeight() - 1, 6.0, 11.0)));
    painter.setFont(font);
    // Every row's name when the rows are tall enough to read, else the name base's rows only.
    const bool everyRow = layout.rowHeight() >= 9;
    for (const RollPitchRow& row : layout.pitchRows()) {
        if (!everyRow && !row.isNameBase) continue;
        painter.setPen(colours.text);
        const QRectF cell(2, row.y - 2, RollLayout::kAxisWidth - 4, layout.rowHeight() + 4);
        const QString label = QString::fromStdString(row.name) +
                              (row.isNameBase ? QString::number(row.pitch / 12 - 1) : QString());
        painter.drawText(cell, Qt::AlignVCenter | Qt::AlignLeft, label);
    }
}

}  // namespace

void paintRoll(QPainter& painter, const RollLayout& layout, double scrollX, double viewWidth,
               std::int32_t cursorStep, const RollColours& colours) {
    painter.save();
    painter.fillRect(QRectF(0, 0, viewWidth, layout.height()), colours.background);
    painter.translate(-scrollX, 0);
    const double left = scrollX + RollLayout::kAxisWidth;
    const double right = scrollX + viewWidth;
    paintGrid(painter, layout, left, right, colours);
    paintNotes(painter, layout, left, right, colours);
    if (cursorStep >= 0) {
        painter.setPen(QPen(colours.cursor, 1.5));
        const double x = layout.stepX(cursorStep);
        painter.drawLine(QPointF(x, 0), QPointF(x, layout.height()));
    }
    painter.restore();
    painter.save();
    paintAxis(painter, layout, colours);
    painter.restore();
}

}  // namespace velmora
