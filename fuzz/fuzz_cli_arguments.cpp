// The command-line parser: any argument list (NUL-separated) parses or gives
// a usage error; a parsed command line is one of the commands with what it
// needs.

#include "cli/cli_arguments.h"
#include "fuzz_input.h"

using namespace velmora;
using velmora::fuzz::FuzzInput;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    std::vector<std::string> args;
    while (!input.empty() && args.size() < 64) args.emplace_back(input.until('\0'));
    try {
        const cli::CliArguments parsed = cli::parseArguments(args);
        // --help and --version answer before anything else is needed.
        const bool known = parsed.command == "export" || parsed.command == "trace" || parsed.command == "play" ||
                           parsed.command == "render" || parsed.command == "roll" ||
                           parsed.command == "score";
        if (parsed.help || parsed.version) {
            VELMORA_FUZZ_CHECK(parsed.command.empty() || known);
            return 0;
        }
        VELMORA_FUZZ_CHECK(known);
        VELMORA_FUZZ_CHECK(parsed.listOutputs || !parsed.textPath.empty());
        VELMORA_FUZZ_CHECK(!(parsed.settingsPath && parsed.noSettings));
        if (parsed.command == "export" || parsed.command == "render" || parsed.command == "roll" ||
            parsed.command == "score")
            VELMORA_FUZZ_CHECK(!parsed.outputPath.empty());
    } catch (const cli::UsageError& error) {
        VELMORA_FUZZ_CHECK(*error.what() != '\0');
    }
    return 0;
}
