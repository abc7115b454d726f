#pragma once

#include "cli/cli_arguments.h"

namespace velmora::cli {

// `roll`: draws the exported music of the text to a PNG or SVG picture.
int runRoll(const CliArguments& arguments);

}  // namespace velmora::cli
