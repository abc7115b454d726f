#pragma once

#include "mapping/random_source.h"
#include "roll/roll_model.h"
#include "smf/build_midi_file.h"

namespace velmora {

// The music that the MIDI export writes for a request, as a roll: the notes
// come from the export's own renderer. Throws ExportError for a text with no
// line, as the export does.
RollModel buildExportRoll(const ExportRequest& request, RandomSource& rng);

}  // namespace velmora
