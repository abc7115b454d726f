#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sound/audio_choice.h"

typedef struct _fluid_hashtable_t fluid_settings_t;

namespace velmora {

// What an audio stream calls once per period from its own thread to fill the
// period's buffers (FluidSynth's fluid_audio_func_t).
using AudioRenderFunction = int (*)(void* data, int frames, int nfx, float* fx[], int nout, float* out[]);

// A running audio output that pulls its periods from a render function on its
// own thread until it is destroyed.
class AudioStream {
public:
    virtual ~AudioStream() = default;
    // The sound server's name for the user: "PulseAudio", "ALSA", "JACK".
    virtual std::string driverLabel() const = 0;
    // Where the sound goes: the sink, the device or the ports.
    virtual std::string deviceLabel() const = 0;
};

// The sample rate the stream of `driver` will run at: a JACK server's own
// rate, else `synthRate`. Asked before the stream opens, so that whatever
// places notes in the stream knows its clock from the first period.
double audioStreamRate(AudioDriver driver, double synthRate);

// Opens the stream of one driver (not Auto) with the synthesizer's settings.
// Null with `error` set when it cannot.
std::unique_ptr<AudioStream> openAudioStream(AudioDriver driver, fluid_settings_t* settings,
                                             AudioBufferSize size, AudioRenderFunction render, void* data,
                                             std::string& error);

// The drivers Auto tries, in order: PulseAudio (PipeWire serves it too), JACK
// when its server runs, ALSA.
std::vector<AudioDriver> driversToTry(AudioDriver choice);

}  // namespace velmora
