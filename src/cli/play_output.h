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

// A capture FIFO (capture:FILE naming a FIFO) is held open for writing from
// here until destruction, so that one without a reader is an error at once
// (RuntimeError) instead of a wait, and a reader does not see the end of the
// data before the capture file itself is open. Anything else: no effect.
class CaptureFifoHold {
public:
    explicit CaptureFifoHold(const std::string& outputSpec);
    ~CaptureFifoHold();
    CaptureFifoHold(const CaptureFifoHold&) = delete;
    CaptureFifoHold& operator=(const CaptureFifoHold&) = delete;

private:
    int fd_ = -1;
};

}  // namespace velmora::cli
