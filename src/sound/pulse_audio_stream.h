#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sound/audio_stream.h"

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace velmora {

// A playback stream on a PulseAudio server (PipeWire's pulse server too),
// named "Velmora" as application and as media. Its own thread renders one
// period whenever the server has room for it and writes it; the server keeps
// `periods` periods queued. A server that is not running is not started.
class PulseAudioStream final : public AudioStream {
public:
    static std::unique_ptr<PulseAudioStream> open(double sampleRate, AudioBufferSize size,
                                                  AudioRenderFunction render, void* data, std::string& error);
    ~PulseAudioStream() override;

    std::string driverLabel() const override { return "PulseAudio"; }
    std::string deviceLabel() const override { return device_; }
    // How long a frame written now takes to be heard, by the server's account
    // (the queue and the sink); -1 while unknown. Not from the render function's
    // caller with the main loop locked.
    std::int64_t latencyNs() const;

private:
    PulseAudioStream() = default;
    bool connect(double sampleRate, std::string& error);
    bool waitUntilReady(std::string& error);
    void describeSink();
    void renderLoop();

    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    AudioBufferSize size_{};
    AudioRenderFunction render_ = nullptr;
    void* data_ = nullptr;
    std::vector<float> left_, right_, interleaved_;
    std::string device_;
    std::atomic<bool> running_{false};  // written under the main loop's lock
    std::thread thread_;
};

}  // namespace velmora
