#pragma once

#include "cli/cli_arguments.h"

namespace velmora::cli {

// Plays the text live: `velmora-cli play`. Returns the exit code.
int runPlay(const CliArguments& arguments);

// Renders the exported music to a WAV file: `velmora-cli render`.
int runRender(const CliArguments& arguments);

}  // namespace velmora::cli
