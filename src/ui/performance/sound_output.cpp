#include "ui/performance/sound_output.h"

namespace velmora {

SoundOutput::SoundOutput(std::unique_ptr<MidiBackend> given) {
    if (!given) return;
    backend_ = std::move(given);
    given_ = true;
    port_.close();
    recorder_.setOutput(*backend_);
}

std::optional<std::string> SoundOutput::choose(const OutputSettings& settings) {
    if (given_) {
        settings_ = settings;
        return std::nullopt;
    }
    OutputChoice choice = makeOutput(settings);
    if (!choice.backend) return choice.error;
    port_.close();
    recorder_.setOutput(*choice.backend);
    backend_ = std::move(choice.backend);
    settings_ = settings;
    lastOpenError_.clear();
    return std::nullopt;
}

std::optional<std::string> SoundOutput::newOpenError() {
    const std::string& error = recorder_.outputOpenError();
    if (error.empty() || error == lastOpenError_) return std::nullopt;
    lastOpenError_ = error;
    return error;
}

}  // namespace velmora
