#pragma once

#include <cstdint>
#include <memory>
#include <string>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace velmora {

// A FluidSynth synthesizer with one soundfont loaded, and its settings.
class FluidSynthInstance {
public:
    struct Options {
        std::string soundfont;  // empty: the first default General MIDI soundfont found
        double sampleRate = 44100.0;
        bool threadSafe = true;  // false for a synth only one thread ever touches
        int cpuCores = 1;        // threads that render voices; more only pays off offline
    };

    // Null with `error` set when the soundfont is missing or cannot be loaded.
    static std::unique_ptr<FluidSynthInstance> create(const Options& options, std::string& error);
    ~FluidSynthInstance();
    FluidSynthInstance(const FluidSynthInstance&) = delete;
    FluidSynthInstance& operator=(const FluidSynthInstance&) = delete;

    fluid_synth_t* synth() const { return synth_; }
    fluid_settings_t* settings() const { return settings_; }
    double sampleRate() const { return sampleRate_; }

    // Plays one short message. Messages with a data byte above 127 are not MIDI
    // and are dropped, as a synthesizer behind a MIDI cable would never see them;
    // so are the mode messages (omni, mono, poly): every channel keeps sounding.
    void applyMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // All notes and sounds off on every channel, at once (the stop's silence).
    void silence();
    // Device volume as the Windows API packs it (left low word, right high word).
    void setDeviceVolume(std::uint32_t volume);

private:
    FluidSynthInstance() = default;

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    double sampleRate_ = 44100.0;
    float baseGain_ = 0.2f;
};

}  // namespace velmora
