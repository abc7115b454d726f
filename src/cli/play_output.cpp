#include "cli/play_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/output_guard.h"

namespace velmora::cli {

bool outputWasChosen(const CliArguments& arguments) {
    return arguments.outputSpec.has_value() || arguments.soundfont.has_value();
}

CaptureFifoHold::CaptureFifoHold(const std::string& outputSpec) {
    const std::string file = outputFileOf(outputSpec);
    struct stat info {};
    if (file.empty() || ::stat(file.c_str(), &info) != 0 || !S_ISFIFO(info.st_mode)) return;
    fd_ = ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        const std::string reason = errno == ENXIO ? "no process reads from it" : std::strerror(errno);
        throw RuntimeError("cannot write the capture file " + file + ": " + reason);
    }
}

CaptureFifoHold::~CaptureFifoHold() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace velmora::cli
