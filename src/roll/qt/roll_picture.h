#pragma once

#include <string>
#include <vector>

#include "documents/output_target.h"
#include "mapping/random_source.h"
#include "roll/roll_pages.h"
#include "smf/build_midi_file.h"

namespace velmora {

// Draws the music that the MIDI export writes for `request` as a piano roll:
// a PNG or SVG picture (by the extension of `path`, any case), or pages
// PATH-001.png... when it is wider than a page (planRollPages). Each picture
// is written through a SafeFileWriter, refusing `inputs`; the SVG streams to
// its file as it is drawn and the notes wait in scratch files beside the
// picture, so memory stays bounded however long the text is. PNG needs a
// QGuiApplication for its fonts. Returns the pictures written. Throws
// RollRangeError for options the music cannot meet, FileError when a picture
// cannot be written, ExportError as the export does.
std::vector<std::string> writeRollPictures(const ExportRequest& request, RandomSource& rng, const std::string& path,
                                           const RollPageOptions& options,
                                           const std::vector<ProtectedInput>& inputs = {});

// Whether the extension of `path` names a roll picture (.png or .svg).
bool isRollPictureName(const std::string& path);

}  // namespace velmora
