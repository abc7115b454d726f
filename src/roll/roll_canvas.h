#pragma once

#include <cstdint>
#include <string>

namespace velmora {

struct RollColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct RollColours {
    RollColour melody{0xd9, 0x4f, 0x3d};
    RollColour chord{0x3a, 0x7b, 0xc8};
    RollColour background{0xfb, 0xfb, 0xf8};
    RollColour row{0xe6, 0xe6, 0xe0};
    RollColour nameBaseRow{0xc4, 0xc4, 0xbc};
    RollColour bar{0x70, 0x70, 0x70};
    RollColour axis{0xee, 0xee, 0xe8};
    RollColour text{0x30, 0x30, 0x30};
    RollColour cursor{0x20, 0xa0, 0x40};
};

// What a roll is drawn on: the window's painter, a PNG page, an SVG file
// written as it is drawn. Coordinates are pixels of the picture.
class RollCanvas {
public:
    virtual ~RollCanvas() = default;
    virtual void fillRect(double x, double y, double width, double height, RollColour colour) = 0;
    virtual void line(double x1, double y1, double x2, double y2, RollColour colour, double width = 1) = 0;
    // Text whose baseline starts at (x, y).
    virtual void text(double x, double y, const std::string& utf8, int pixelSize, RollColour colour) = 0;
    // Text from x, centred between top and top + height.
    virtual void textInRow(double x, double top, double height, const std::string& utf8, int pixelSize,
                           RollColour colour) = 0;
};

}  // namespace velmora
