#pragma once

#include <string>

#include "documents/safe_file_writer.h"
#include "roll/roll_canvas.h"

namespace velmora {

// An SVG picture written as it is drawn: each shape goes to the file at once
// (in pieces of some kilobytes), so memory does not grow with the picture.
// Runs of shapes of one colour share a group that holds the colour.
class SvgRollCanvas final : public RollCanvas {
public:
    SvgRollCanvas(SafeFileWriter& out, int width, int height, const std::string& title);
    void fillRect(double x, double y, double width, double height, RollColour colour) override;
    void line(double x1, double y1, double x2, double y2, RollColour colour, double width) override;
    void text(double x, double y, const std::string& utf8, int pixelSize, RollColour colour) override;
    void textInRow(double x, double top, double height, const std::string& utf8, int pixelSize,
                   RollColour colour) override;
    // Ends the document and hands the rest to the writer (which the caller commits).
    void finish();

private:
    void fillGroup(RollColour colour);
    void closeGroup();
    void number(double value);
    void flushIfFull();

    SafeFileWriter& out_;
    std::string buffer_;
    bool groupOpen_ = false;
    RollColour groupColour_;
};

}  // namespace velmora
