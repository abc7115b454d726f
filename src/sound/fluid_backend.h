#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "midi/midi_backend.h"
#include "sound/audio_choice.h"
#include "sound/audio_stream.h"
#include "sound/block_scheduler.h"
#include "sound/fluid_synth_instance.h"

namespace velmora {

// The built-in General MIDI synthesizer. The synthesizer and its audio stream
// are made on the first open() and kept until the backend is destroyed; open()
// and close() only connect and silence it, so a performance starts at once and
// the last notes' release is not cut off.
//
// FluidSynth applies calls made from outside its audio thread at the start of
// the next period, which with large periods makes onsets jitter by tens of ms.
// So every message is stamped with its tick's due time plus a constant latency
// and handed to the audio callback, which applies it in the 64-frame block that
// holds that time (BlockScheduler).
//
// A full queue means the audio driver has stalled or died: the messages that
// do not fit are dropped and takeWarning() tells so once. The stop's silence
// never waits in the queue (BlockScheduler::requestSilence).
//
// Threads: open, close and the message calls come from the performance thread;
// the audio driver's thread runs renderPeriod(). They meet only in the
// scheduler's queue and in FluidSynth's own thread-safe calls.
class FluidSynthBackend final : public MidiBackend {
public:
    static constexpr std::int64_t kSafetyMarginNs = 15'000'000;
    static constexpr double kSampleRate = 44100.0;

    // `bufferSize`, when given, replaces the size the buffer choice names (for measurements).
    explicit FluidSynthBackend(std::string soundfont, AudioChoice audio = {},
                               std::optional<AudioBufferSize> bufferSize = std::nullopt);
    ~FluidSynthBackend() override;

    bool open() override;
    void close() override;
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void setDeviceVolume(std::uint32_t volume) override;
    void beginTick(std::uint64_t tick) override;
    void setTickDueTime(std::int64_t dueNs) override;
    void beginUntimed() override;
    std::string lastError() const override { return error_; }
    // "PulseAudio: Built-in Audio Analog Stereo", "JACK: system:playback_1, system:playback_2".
    std::string outputDescription() const override;
    std::optional<OutputWarning> takeWarning() override;

    // Makes the synthesizer and loads the soundfont without starting the audio
    // stream (open() does both); false with lastError() set when it cannot.
    bool loadSoundfont() { return startSynth(); }
    // How far behind its due time a message sounds.
    std::int64_t latencyNs() const;
    // The sound server the stream plays through; empty until the first open() has started it.
    std::string audioDriverLabel() const { return stream_ ? stream_->driverLabel() : std::string(); }

private:
    bool startSynth();
    bool startAudioDriver();
    void post(std::uint8_t status, std::uint8_t data1, std::uint8_t data2, std::int64_t soundNs);
    static int renderCallback(void* self, int frames, int nfx, float* fx[], int nout, float* out[]);

    std::string soundfont_;
    AudioChoice audio_;
    AudioBufferSize bufferSize_;
    std::unique_ptr<FluidSynthInstance> synth_;
    std::unique_ptr<BlockScheduler> scheduler_;
    std::unique_ptr<AudioStream> stream_;  // its thread uses synth_ and scheduler_
    std::string error_;
    bool connected_ = false;
    std::optional<std::int64_t> tickDueNs_;
    bool untimed_ = false;
    std::int64_t lastStampNs_ = 0;
    std::int64_t droppedMessages_ = 0;
    bool droppedTold_ = false;
};

}  // namespace velmora
