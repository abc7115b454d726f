#include "cli/play_output.h"

namespace velmora::cli {

bool outputWasChosen(const CliArguments& arguments) {
    return arguments.outputChoice.has_value() || arguments.soundfont.has_value() || arguments.audioDriver ||
           arguments.audioBuffer;
}

AudioChoice audioChoiceOf(const CliArguments& arguments) {
    AudioChoice choice;
    if (!arguments.audioDriver && !arguments.audioBuffer) return choice;
    if (const std::string output = arguments.outputChoice.value_or("");
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

}  // namespace velmora::cli
