#include "sound/audio_stream.h"

#include <fluidsynth.h>

#include "sound/alsa_quiet.h"
#include "sound/fluid_log_capture.h"
#include "sound/jack_environment.h"
#include "sound/pulse_audio_stream.h"

namespace velmora {

namespace {

constexpr const char* kJackClientName = "Velmora";

// ALSA and JACK through FluidSynth's own drivers.
class FluidDriverStream final : public AudioStream {
public:
    FluidDriverStream(fluid_audio_driver_t* driver, AudioDriver kind, std::string device)
        : driver_(driver), kind_(kind), device_(std::move(device)) {}
    ~FluidDriverStream() override { delete_fluid_audio_driver(driver_); }

    std::string driverLabel() const override { return kind_ == AudioDriver::Jack ? "JACK" : "ALSA"; }
    std::string deviceLabel() const override {
        // JACK's connections may change while the stream runs: asked each time.
        return kind_ == AudioDriver::Jack ? jackConnectionsOf(kJackClientName) : device_;
    }

private:
    fluid_audio_driver_t* driver_;
    AudioDriver kind_;
    std::string device_;
};

std::string settingText(fluid_settings_t* settings, const char* name) {
    char* value = nullptr;
    if (fluid_settings_dupstr(settings, name, &value) != FLUID_OK || !value) return {};
    std::string text(value);
    fluid_free(value);
    return text;
}

std::unique_ptr<AudioStream> openFluidDriver(AudioDriver driver, fluid_settings_t* settings,
                                             AudioBufferSize size, AudioRenderFunction render, void* data,
                                             std::string& error) {
    const bool jack = driver == AudioDriver::Jack;
    if (jack && !jackServerRunning()) {
        error = "JACK: no server running";
        return nullptr;
    }
    if (!jack) silenceAlsaLibMessages();
    fluid_settings_setstr(settings, "audio.driver", jack ? "jack" : "alsa");
    fluid_settings_setint(settings, "audio.period-size", size.periodFrames);
    fluid_settings_setint(settings, "audio.periods", size.periods);
    // Shown as "Velmora" in the patchbay, and heard at once on the system's playback ports.
    fluid_settings_setstr(settings, "audio.jack.id", kJackClientName);
    fluid_settings_setint(settings, "audio.jack.autoconnect", 1);
    takeFluidLogMessage();
    fluid_audio_driver_t* created = new_fluid_audio_driver2(settings, render, data);
    if (!created) {
        const std::string reason = takeFluidLogMessage();
        error = std::string(jack ? "JACK" : "ALSA") + (reason.empty() ? ": cannot open" : ": " + reason);
        return nullptr;
    }
    return std::make_unique<FluidDriverStream>(created, driver, settingText(settings, "audio.alsa.device"));
}

}  // namespace

double audioStreamRate(AudioDriver driver, double synthRate) {
    if (driver != AudioDriver::Jack) return synthRate;
    return jackServerSampleRate().value_or(synthRate);
}

std::vector<AudioDriver> driversToTry(AudioDriver choice) {
    if (choice != AudioDriver::Auto) return {choice};
    std::vector<AudioDriver> drivers = {AudioDriver::PulseAudio};
    if (jackServerRunning()) drivers.push_back(AudioDriver::Jack);
    drivers.push_back(AudioDriver::Alsa);
    return drivers;
}

std::unique_ptr<AudioStream> openAudioStream(AudioDriver driver, fluid_settings_t* settings,
                                             AudioBufferSize size, AudioRenderFunction render, void* data,
                                             std::string& error) {
    if (driver == AudioDriver::PulseAudio) {
        double rate = 44100.0;
        fluid_settings_getnum(settings, "synth.sample-rate", &rate);
        return PulseAudioStream::open(rate, size, render, data, error);
    }
    return openFluidDriver(driver, settings, size, render, data, error);
}

}  // namespace velmora
