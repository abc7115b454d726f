#pragma once

#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "documents/output_target.h"

namespace velmora::cli {

// The files a command reads, which its output must never replace: the text,
// its own settings file or the --settings file, and the soundfont.
std::vector<ProtectedInput> protectedInputsOf(const CliArguments& arguments);

// The one refusal check (checkOutputTarget) on a command's output, before any
// work is done. An output that is one of the inputs is a UsageError naming
// both; another refusal throws FileError. Nothing for an empty name.
void checkOutput(const CliArguments& arguments, const std::string& output);

// The file a play output writes ("capture:FILE"), empty for the others.
std::string outputFileOf(const std::string& outputChoice);

}  // namespace velmora::cli
