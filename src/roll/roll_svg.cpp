#include "roll/roll_svg.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace velmora {

namespace {

constexpr std::size_t kFlushBytes = 64 * 1024;

std::string hexColour(RollColour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

}  // namespace

SvgRollCanvas::SvgRollCanvas(SafeFileWriter& out, int width, int height, const std::string& title) : out_(out) {
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    buffer_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w + "\" height=\"" + h +
              "\" viewBox=\"0 0 " + w + " " + h +
              "\" shape-rendering=\"crispEdges\" font-family=\"sans-serif\">\n<title>" + escaped(title) +
              "</title>\n";
}

void SvgRollCanvas::number(double value) {
    // Two decimals at most: pixels of a picture need no more.
    const double rounded = std::round(value * 100) / 100;
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, rounded);
    buffer_.append(text, error == std::errc() ? end : text);
}

void SvgRollCanvas::flushIfFull() {
    if (buffer_.size() < kFlushBytes) return;
    out_.write(buffer_);
    buffer_.clear();
}

void SvgRollCanvas::closeGroup() {
    if (!groupOpen_) return;
    buffer_ += "</g>\n";
    groupOpen_ = false;
}

void SvgRollCanvas::fillGroup(RollColour colour) {
    if (groupOpen_ && groupColour_.red == colour.red && groupColour_.green == colour.green &&
        groupColour_.blue == colour.blue) {
        return;
    }
    closeGroup();
    buffer_ += "<g fill=\"" + hexColour(colour) + "\">\n";
    groupOpen_ = true;
    groupColour_ = colour;
}

void SvgRollCanvas::fillRect(double x, double y, double width, double height, RollColour colour) {
    fillGroup(colour);
    buffer_ += "<rect x=\"";
    number(x);
    buffer_ += "\" y=\"";
    number(y);
    buffer_ += "\" width=\"";
    number(width);
    buffer_ += "\" height=\"";
    number(height);
    buffer_ += "\"/>\n";
    flushIfFull();
}

void SvgRollCanvas::line(double x1, double y1, double x2, double y2, RollColour colour, double width) {
    closeGroup();
    buffer_ += "<line x1=\"";
    number(x1);
    buffer_ += "\" y1=\"";
    number(y1);
    buffer_ += "\" x2=\"";
    number(x2);
    buffer_ += "\" y2=\"";
    number(y2);
    buffer_ += "\" stroke=\"" + hexColour(colour) + "\" stroke-width=\"";
    number(width);
    buffer_ += "\"/>\n";
    flushIfFull();
}

void SvgRollCanvas::text(double x, double y, const std::string& utf8, int pixelSize, RollColour colour) {
    fillGroup(colour);
    buffer_ += "<text x=\"";
    number(x);
    buffer_ += "\" y=\"";
    number(y);
    buffer_ += "\" font-size=\"" + std::to_string(pixelSize) + "\">" + escaped(utf8) + "</text>\n";
    flushIfFull();
}

void SvgRollCanvas::textInRow(double x, double top, double height, const std::string& utf8, int pixelSize,
                              RollColour colour) {
    fillGroup(colour);
    buffer_ += "<text x=\"";
    number(x);
    buffer_ += "\" y=\"";
    number(top + height / 2);
    buffer_ += "\" font-size=\"" + std::to_string(pixelSize) + "\" dominant-baseline=\"central\">" +
               escaped(utf8) + "</text>\n";
    flushIfFull();
}

void SvgRollCanvas::finish() {
    closeGroup();
    buffer_ += "</svg>\n";
    out_.write(buffer_);
    buffer_.clear();
}

}  // namespace velmora
