#pragma once

#include "cli/cli_arguments.h"

namespace velmora::cli {

// Runs the parsed command; returns the exit code. Throws UsageError and
// RuntimeError (or any std::exception) for the caller to report.
int runCommand(const CliArguments& arguments);

}  // namespace velmora::cli
