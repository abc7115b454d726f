#pragma once

#include <string>

#include "cli/cli_arguments.h"

namespace velmora::cli {

// Refuses, before anything is written, an output that is one of the command's
// inputs: the text, its own settings file, the --settings file or the
// soundfont (by file identity, so links and other names count). Throws
// UsageError naming both.
void refuseOutputOverInput(const CliArguments& arguments, const std::string& output);

// The file a play output writes ("capture:FILE"), empty for the others.
std::string outputFileOf(const std::string& outputSpec);

}  // namespace velmora::cli
