#pragma once

#include <ostream>

#include "cli/cli_setup.h"

namespace velmora::cli {

// Runs the live tick without a timer and prints every short message sent to the
// port as "TICK STATUS DATA1 DATA2"; tick 0 holds the start's messages.
void runTrace(const CliSetup& setup, std::optional<std::int32_t> fromLine, std::ostream& out);

}  // namespace velmora::cli
