#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "documents/file_error.h"

int main(int argc, char** argv) {
    using namespace velmora::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << usageText();
        return 0;
    }
    try {
        return runCommand(parseArguments(args));
    } catch (const UsageError& error) {
        std::cerr << "velmora-cli: " << error.what() << '\n';
        return 2;
    } catch (const velmora::FileError& error) {
        std::cerr << "velmora-cli: " << error.englishWithDetail() << '\n';
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "velmora-cli: " << error.what() << '\n';
        return 1;
    }
}
