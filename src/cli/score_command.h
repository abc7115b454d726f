#pragma once

#include "cli/cli_arguments.h"

namespace velmora::cli {

// `score`: writes the exported music as a score with the text as lyrics:
// MusicXML, the compressed .mxl or a PDF typeset by LilyPond.
int runScore(const CliArguments& arguments);

}  // namespace velmora::cli
