#include "roll/roll_drawing.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

namespace {

constexpr int kBarNumberPixels = 9;
constexpr double kBarNumberWidth = 40;  // a bar's number may show before its line comes into view

// Every bar's number while bars are wide enough for it; else only the numbers
// of every 2nd, 5th, 10th, 20th, ... bar, so that none overlap.
std::int32_t barNumberStride(const RollLayout& layout, std::int32_t lastBarNumber, int pixels) {
    const double barWidth = layout.stepWidth() * layout.model().stepsPerBar;
    const double labelWidth = static_cast<double>(std::to_string(lastBarNumber).size()) * pixels * 0.6 + 4;
    for (std::int32_t stride = 1;; stride *= 10) {
        for (const std::int32_t candidate : {stride, 2 * stride, 5 * stride}) {
            if (candidate * barWidth >= labelWidth) return candidate;
        }
    }
}

// Everything right of the axis moves with the scroll.
struct View {
    double scrollX;
    double left;   // the first x of the roll in view, in roll coordinates
    double right;  // the last one
};

void drawGrid(RollCanvas& canvas, const RollLayout& layout, const View& view, const RollColours& colours,
              int barNumberPixels) {
    for (const RollPitchRow& row : layout.pitchRows()) {
        const double y = row.y + layout.rowHeight();
        canvas.line(view.left - view.scrollX, y, view.right - view.scrollX, y,
                    row.isNameBase ? colours.nameBaseRow : colours.row);
    }
    const std::int32_t perBar = layout.model().stepsPerBar;
    if (perBar <= 0) return;
    const std::int32_t lastStep = layout.stepAt(view.right) + 1;
    const std::int32_t stride = barNumberStride(layout, lastStep / perBar + 1, barNumberPixels);
    for (const std::int32_t step : layout.barStepsBetween(layout.stepAt(view.left - kBarNumberWidth), lastStep)) {
        const double x = layout.stepX(step);
        if (x < view.left - kBarNumberWidth || x > view.right) continue;
        canvas.line(x - view.scrollX, RollLayout::kHeaderHeight, x - view.scrollX, layout.height(), colours.bar);
        const std::int32_t number = step / perBar + 1;
        if (stride > 1 && number % stride != 0) continue;
        canvas.text(x - view.scrollX + 2, RollLayout::kHeaderHeight - 3, std::to_string(number), barNumberPixels,
                    colours.text);
    }
}

void drawNotes(RollCanvas& canvas, const RollLayout& layout, const View& view, const RollColours& colours) {
    const auto [begin, end] = layout.notesBetween(layout.stepAt(view.left), layout.stepAt(view.right) + 1);
    const auto& notes = layout.model().notes;
    // Chords first, so that the melody lies on top where they meet.
    for (const RollVoice voice : {RollVoice::Chord, RollVoice::Melody}) {
        const RollColour colour = voice == RollVoice::Melody ? colours.melody : colours.chord;
        for (std::size_t index = begin; index < end; ++index) {
            const RollNote& note = notes[index];
            if (note.voice != voice) continue;
            const RollRect rect = layout.noteRect(note);
            canvas.fillRect(rect.x - view.scrollX, rect.y + 0.5, std::max(1.0, rect.width - 1), rect.height - 1,
                            colour);
        }
    }
}

// The degrees (semitones above the name base) whose rows a view labels: every
// row when the labels fit, else fewer, down to the name base's rows only.
const std::vector<int>& labelledDegrees(double rowHeight, int labelPixels) {
    // Each set with the smallest gap between two of its rows; the name base is in all.
    static const std::vector<std::pair<int, std::vector<int>>> sets = {
        {1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}, {3, {0, 4, 7}}, {5, {0, 7}}, {12, {0}}};
    const double needed = labelPixels * 1.2;
    for (const auto& [gap, degrees] : sets) {
        if (gap * rowHeight >= needed) return degrees;
    }
    return sets.back().second;
}

std::string octaveLabel(const RollPitchRow& row) { return row.name + std::to_string(row.pitch / 12 - 1); }

// A view's axis: labels of the window's size on the rows they fit, every name base's row with its octave.
void drawViewAxis(RollCanvas& canvas, const RollLayout& layout, const RollColours& colours, int pixels) {
    const std::vector<int>& degrees = labelledDegrees(layout.rowHeight(), pixels);
    const int nameBase = layout.model().nameBase;
    for (const RollPitchRow& row : layout.pitchRows()) {
        const int degree = ((row.pitch - nameBase) % 12 + 12) % 12;
        if (std::find(degrees.begin(), degrees.end(), degree) == degrees.end()) continue;
        const double extra = std::max(4.0, pixels * 1.4 - layout.rowHeight());
        canvas.textInRow(2, row.y - extra / 2, layout.rowHeight() + extra, row.isNameBase ? octaveLabel(row) : row.name,
                         pixels, colours.text);
    }
}

void drawAxis(RollCanvas& canvas, const RollLayout& layout, const RollColours& colours, int labelPixels) {
    canvas.fillRect(0, 0, RollLayout::kAxisWidth, layout.height(), colours.axis);
    if (labelPixels > 0) {
        drawViewAxis(canvas, layout, colours, labelPixels);
        return;
    }
    const int pixels = static_cast<int>(std::clamp(layout.rowHeight() - 1, 6.0, 11.0));
    // Every row's name when the rows are tall enough to read, else the name base's rows only.
    const bool everyRow = layout.rowHeight() >= 9;
    for (const RollPitchRow& row : layout.pitchRows()) {
        if (!everyRow && !row.isNameBase) continue;
        const std::string label = row.isNameBase ? octaveLabel(row) : row.name;
        canvas.textInRow(2, row.y - 2, layout.rowHeight() + 4, label, pixels, colours.text);
    }
}

}  // namespace

void drawRoll(RollCanvas& canvas, const RollLayout& layout, double scrollX, double viewWidth,
              std::int32_t cursorStep, const RollColours& colours, const RollLabelStyle& labels) {
    canvas.fillRect(0, 0, viewWidth, layout.height(), colours.background);
    const View view{scrollX, scrollX + RollLayout::kAxisWidth, scrollX + viewWidth};
    drawGrid(canvas, layout, view, colours, labels.pixels > 0 ? labels.pixels : kBarNumberPixels);
    drawNotes(canvas, layout, view, colours);
    if (cursorStep >= 0) {
        const double x = layout.stepX(cursorStep) - scrollX;
        canvas.line(x, 0, x, layout.height(), colours.cursor, 1.5);
    }
    drawAxis(canvas, layout, colours, labels.pixels);
}

}  // namespace velmora
