#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Which sound server the built-in synthesizer plays through. Auto tries
// PulseAudio (which PipeWire also serves), then JACK when its server runs,
// then ALSA's default device.
enum class AudioDriver { Auto, PulseAudio, Alsa, Jack };

// How much audio is queued ahead of the sound card: less is a quicker answer
// to a typed key, more survives a busy machine without clicks.
enum class AudioBuffer { Low, Standard, Safe };

struct AudioChoice {
    AudioDriver driver = AudioDriver::Auto;
    AudioBuffer buffer = AudioBuffer::Standard;

    bool operator==(const AudioChoice&) const = default;
};

// The stream's period and how many periods are queued.
struct AudioBufferSize {
    int periodFrames;
    int periods;
};
AudioBufferSize audioBufferSize(AudioBuffer buffer);

// The names on the command line and in the settings file: auto, pulseaudio,
// alsa, jack; low, standard, safe.
std::string_view audioDriverName(AudioDriver driver);
std::string_view audioBufferName(AudioBuffer buffer);
std::optional<AudioDriver> parseAudioDriver(std::string_view name);
std::optional<AudioBuffer> parseAudioBuffer(std::string_view name);
// The choice stored under these names; an unknown or empty name gives its default.
AudioChoice audioChoiceFromNames(std::string_view driver, std::string_view buffer);

// Every name, in the order shown, for help texts and lists.
const std::vector<AudioDriver>& audioDrivers();
const std::vector<AudioBuffer>& audioBuffers();
// "auto, pulseaudio, alsa or jack" and "low, standard or safe".
std::string audioDriverNameList();
std::string audioBufferNameList();

}  // namespace velmora
