#include "sound/fluid_synth_instance.h"

#include <fluidsynth.h>


#include "midi/midi_bytes.h"
#include "sound/fluid_log_capture.h"
#include "sound/soundfont_locator.h"

namespace velmora {

using namespace midi_bytes;

std::unique_ptr<FluidSynthInstance> FluidSynthInstance::create(const Options& options, std::string& error) {
    captureFluidLog();
    const std::string path = locateSoundfont(options.soundfont);
    if (path.empty()) {
        error = missingSoundfontMessage();
        return nullptr;
    }
    if (std::string problem = soundfontFileProblem(path); !problem.empty()) {
        error = std::move(problem);
        return nullptr;
    }

    std::unique_ptr<FluidSynthInstance> instance(new FluidSynthInstance);
    instance->sampleRate_ = options.sampleRate;
    instance->settings_ = new_fluid_settings();
    if (!instance->settings_) {
        error = "FluidSynth could not allocate its settings";
        return nullptr;
    }
    fluid_settings_setnum(instance->settings_, "synth.sample-rate", options.sampleRate);
    fluid_settings_setint(instance->settings_, "synth.threadsafe-api", options.threadSafe ? 1 : 0);
    fluid_settings_setint(instance->settings_, "synth.cpu-cores", options.cpuCores);
    instance->synth_ = new_fluid_synth(instance->settings_);
    if (!instance->synth_) {
        error = "FluidSynth could not create a synthesizer: " + takeFluidLogMessage();
        return nullptr;
    }
    takeFluidLogMessage();
    if (fluid_synth_sfload(instance->synth_, path.c_str(), 1) == FLUID_FAILED) {
        const std::string reason = takeFluidLogMessage();
        error = "cannot load soundfont " + path + (reason.empty() ? "" : " (" + reason + ")") +
                ": name another soundfont with --soundfont";
        return nullptr;
    }
    instance->baseGain_ = fluid_synth_get_gain(instance->synth_);
    return instance;
}

FluidSynthInstance::~FluidSynthInstance() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

void FluidSynthInstance::applyMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!isStatusByte(status) || isStatusByte(data1) || isStatusByte(data2)) return;
    const int channel = status & 0x0F;
    switch (kindOf(status)) {
        case kNoteOff:
            fluid_synth_noteoff(synth_, channel, data1);
            break;
        case kNoteOn:
            if (data2 == 0) {
                fluid_synth_noteoff(synth_, channel, data1);
            } else {
                fluid_synth_noteon(synth_, channel, data1, data2);
            }
            break;
        case kKeyPressure:
            fluid_synth_key_pressure(synth_, channel, data1, data2);
            break;
        case kControlChange:
            // A General MIDI module listens on all sixteen channels whatever mode
            // message comes. FluidSynth would apply it: omni off on channel 0
            // silences channels 1..15, the melody's channel among them.
            if (!isModeController(data1)) fluid_synth_cc(synth_, channel, data1, data2);
            break;
        case kProgramChange:
            fluid_synth_program_change(synth_, channel, data1);
            break;
        case kChannelPressure:
            fluid_synth_channel_pressure(synth_, channel, data1);
            break;
        case kPitchBend:
            fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7));
            break;
        default:
            break;  // system messages have no meaning for the synthesizer
    }
}

void FluidSynthInstance::silence() {
    for (int channel = 0; channel < kChannelCount; ++channel) {
        fluid_synth_cc(synth_, channel, kAllNotesOff, 0);
        fluid_synth_cc(synth_, channel, kAllSoundOff, 0);
    }
}

void FluidSynthInstance::setDeviceVolume(std::uint32_t volume) {
    const double left = (volume & 0xFFFFu) / 65535.0;
    const double right = (volume >> 16) / 65535.0;
    fluid_synth_set_gain(synth_, static_cast<float>(baseGain_ * (left + right) / 2.0));
}

}  // namespace velmora
