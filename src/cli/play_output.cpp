#include "cli/play_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/output_guard.h"

namespace velmora::cli {

bool outputWasChosen(const CliArguments& arguments) {
    return arguments.outputSpec.has_value() || arguments.soundfont.has_value() || arguments.audioDriver ||
           arguments.audioBuffer;
}

AudioChoice audioChoiceOf(const CliArguments& arguments) {
    AudioChoice choice;
    if (!arguments.audioDriver && !arguments.audioBuffer) return choice;
    if (const std::string output = arguments.outputSpec.value_or("");
        !output.empty() && output != "fluidsynth") {
        throw UsageError(
            "--audio-driver and --audio-buffer apply to the built-in synthesizer only "
            "(--output fluidsynth)");
    }
    if (arguments.audioDriver) {
        const auto driver = parseAudioDriver(*arguments.audioDriver);
        if (!driver)
            throw UsageError("unknown audio driver \"" + *arguments.audioDriver + "\" (" +
                             audioDriverNameList() + ")");
        choice.driver = *driver;
    }
    if (arguments.audioBuffer) {
        const auto buffer = parseAudioBuffer(*arguments.audioBuffer);
        if (!buffer)
            throw UsageError("unknown audio buffer \"" + *arguments.audioBuffer + "\" (" +
                             audioBufferNameList() + ")");
        choice.buffer = *buffer;
    }
    return choice;
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
