#pragma once

#include <string>

#include "score/score_export.h"

namespace velmora {

// Whether LilyPond's musicxml2ly and lilypond can be run.
bool lilyPondInstalled();

// Typesets the MusicXML file `musicXmlPath` with musicxml2ly and lilypond,
// working in `folder` (private to this call), and returns the path of the
// PDF made there. Progress runs from `progressFrom` to 1. Throws ExportError
// naming the program and quoting its complaint when one fails, and
// ScoreCancelled on a cancel request (the program is ended).
std::string typesetWithLilyPond(const std::string& musicXmlPath, const std::string& folder,
                                const ScoreHooks& hooks, double progressFrom);

}  // namespace velmora
