#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "documents/file_error.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/jack_environment.h"
#endif

int main(int argc, char** argv) {
    using namespace velmora::cli;
#ifdef VELMORA_HAVE_SOUND
    velmora::preventJackServerAutostart();  // before any thread: it sets the environment
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        const CliArguments arguments = parseArguments(args);
        if (arguments.version) {
            std::cout << "velmora-cli " << VELMORA_VERSION << '\n';
            return 0;
        }
        if (arguments.help) {
            std::cout << (arguments.command.empty() ? toolHelpText() : commandHelpText(arguments.command));
            return 0;
        }
        return runCommand(arguments);
    } catch (const UsageError& error) {
        std::cerr << "velmora-cli: " << error.what() << " (see velmora-cli --help)\n";
        return 2;
    } catch (const velmora::FileError& error) {
        std::cerr << "velmora-cli: " << error.englishWithDetail() << '\n';
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "velmora-cli: " << error.what() << '\n';
        return 1;
    }
}
