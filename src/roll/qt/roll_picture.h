#pragma once

#include <filesystem>
#include <stdexcept>

#include "roll/roll_model.h"

namespace velmora {

class RollPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Draws the whole roll into a PNG or SVG file, chosen by the file's extension
// (.png or .svg, any case). Needs a QGuiApplication for its fonts. Throws
// RollPictureError for another extension or a file that cannot be written.
void writeRollPicture(const RollModel& model, const std::filesystem::path& path);

}  // namespace velmora
