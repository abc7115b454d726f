#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "documents/file_error.h"
#include "documents/process_signals.h"
#include "documents/temporary_leftovers.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/jack_environment.h"
#endif

namespace {

// What was printed must have reached the standard output: a full disk or a
// closed pipe is an error, told when the output is closed (as coreutils do).
int finishStandardOutput(int exitCode) {
    errno = 0;
    std::cout.flush();
    bool failed = !std::cout || std::fflush(stdout) != 0;
    int error = errno;
    if (!failed && ::close(STDOUT_FILENO) != 0 && errno != EBADF) {
        failed = true;
        error = errno;
    }
    if (!failed) return exitCode;
    std::cerr << "velmora-cli: cannot write the standard output"
              << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return exitCode == 0 ? 1 : exitCode;
}

int run(const std::vector<std::string>& args) {
    using namespace velmora::cli;
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

}  // namespace

int main(int argc, char** argv) {
    velmora::ProcessSignals::install();
#ifdef VELMORA_HAVE_SOUND
    velmora::preventJackServerAutostart();  // before any thread: it sets the environment
#endif
    velmora::TemporaryFileJournal::use(velmora::TemporaryFileJournal::defaultFolder());
    velmora::TemporaryFileJournal::removeLeftovers();
    return finishStandardOutput(run(std::vector<std::string>(argv + 1, argv + argc)));
}
