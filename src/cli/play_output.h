#pragma once

#include <string>

#include "cli/cli_arguments.h"
#include "sound/audio_choice.h"

namespace velmora::cli {

// Whether an output that cannot be opened ends the play with an error: the
// user named it (--output), its soundfont (--soundfont) or its sound server
// or buffer (--audio-driver, --audio-buffer). Only the default output falls
// back to playing silently.
bool outputWasChosen(const CliArguments& arguments);

// The sound server and buffer the options name; UsageError for an unknown
// name, or when the output is not the built-in synthesizer.
AudioChoice audioChoiceOf(const CliArguments& arguments);

}  // namespace velmora::cli
