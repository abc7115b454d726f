#include "sound/pulse_audio_stream.h"

#include <pulse/pulseaudio.h>

#include <algorithm>

namespace velmora {

namespace {

constexpr const char* kName = "Velmora";
constexpr const char* kApplicationId = "io.github.velmora.Velmora";

pa_proplist* streamProperties() {
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, kName);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, kApplicationId);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, kApplicationId);
    pa_proplist_sets(properties, PA_PROP_MEDIA_NAME, kName);
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "music");
    return properties;
}

// The main loop's callbacks only wake whoever waits on it.
void contextChanged(pa_context*, void* mainloop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0);
}
void streamChanged(pa_stream*, void* mainloop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0);
}
void roomForMore(pa_stream*, std::size_t, void* mainloop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0);
}

struct SinkQuery {
    pa_threaded_mainloop* mainloop;
    std::string description;
};
void sinkDescribed(pa_context*, const pa_sink_info* info, int last, void* query) {
    auto& sink = *static_cast<SinkQuery*>(query);
    if (last == 0 && info && info->description) sink.description = info->description;
    pa_threaded_mainloop_signal(sink.mainloop, 0);
}

}  // namespace

std::unique_ptr<PulseAudioStream> PulseAudioStream::open(double sampleRate, AudioBufferSize size,
                                                         AudioRenderFunction render, void* data,
                                                         std::string& error) {
    std::unique_ptr<PulseAudioStream> stream(new PulseAudioStream);
    stream->size_ = size;
    stream->render_ = render;
    stream->data_ = data;
    const auto frames = static_cast<std::size_t>(size.periodFrames);
    stream->left_.resize(frames);
    stream->right_.resize(frames);
    stream->interleaved_.resize(2 * frames);
    if (!stream->connect(sampleRate, error)) return nullptr;
    stream->running_ = true;
    stream->thread_ = std::thread(&PulseAudioStream::renderLoop, stream.get());
    return stream;
}

bool PulseAudioStream::connect(double sampleRate, std::string& error) {
    mainloop_ = pa_threaded_mainloop_new();
    if (!mainloop_) {
        error = "PulseAudio: cannot make a main loop";
        return false;
    }
    pa_proplist* properties = streamProperties();
    context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(mainloop_), kName, properties);
    if (!context_) {
        pa_proplist_free(properties);
        error = "PulseAudio: cannot make a client";
        return false;
    }
    pa_context_set_state_callback(context_, contextChanged, mainloop_);
    // No server is started for us: one that does not run is another driver's turn.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(mainloop_) < 0) {
        pa_proplist_free(properties);
        error = std::string("PulseAudio: ") + pa_strerror(pa_context_errno(context_));
        return false;
    }
    pa_threaded_mainloop_lock(mainloop_);
    bool ready = false;
    while (true) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state == PA_CONTEXT_READY) break;
        if (!PA_CONTEXT_IS_GOOD(state)) {
            error = std::string("PulseAudio: ") + pa_strerror(pa_context_errno(context_));
            break;
        }
        pa_threaded_mainloop_wait(mainloop_);
    }
    if (error.empty()) {
        const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(sampleRate), 2};
        stream_ = pa_stream_new_with_proplist(context_, kName, &format, nullptr, properties);
        ready = stream_ && waitUntilReady(error);
        if (!stream_) error = std::string("PulseAudio: ") + pa_strerror(pa_context_errno(context_));
    }
    if (ready) describeSink();
    pa_threaded_mainloop_unlock(mainloop_);
    pa_proplist_free(properties);
    return ready;
}

// Main loop locked.
bool PulseAudioStream::waitUntilReady(std::string& error) {
    pa_stream_set_state_callback(stream_, streamChanged, mainloop_);
    pa_stream_set_write_callback(stream_, roomForMore, mainloop_);
    const auto periodBytes =
        static_cast<std::uint32_t>(static_cast<std::size_t>(size_.periodFrames) * 2 * sizeof(float));
    const auto none = static_cast<std::uint32_t>(-1);
    // The whole latency, the server's share included, is `periods` periods.
    const pa_buffer_attr buffer{none, periodBytes * static_cast<std::uint32_t>(size_.periods), none,
                                periodBytes, none};
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
        error = std::string("PulseAudio: ") + pa_strerror(pa_context_errno(context_));
        return false;
    }
    while (true) {
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (state == PA_STREAM_READY) return true;
        if (!PA_STREAM_IS_GOOD(state)) {
            error = std::string("PulseAudio: ") + pa_strerror(pa_context_errno(context_));
            return false;
        }
        pa_threaded_mainloop_wait(mainloop_);
    }
}

// Main loop locked: the sink's description ("Built-in Audio Analog Stereo"), else its name.
void PulseAudioStream::describeSink() {
    const char* sink = pa_stream_get_device_name(stream_);
    if (!sink) return;
    device_ = sink;
    SinkQuery query{mainloop_, {}};
    pa_operation* operation = pa_context_get_sink_info_by_name(context_, sink, sinkDescribed, &query);
    if (!operation) return;
    while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING) pa_threaded_mainloop_wait(mainloop_);
    pa_operation_unref(operation);
    if (!query.description.empty()) device_ = query.description;
}

std::int64_t PulseAudioStream::latencyNs() const {
    pa_threaded_mainloop_lock(mainloop_);
    pa_usec_t latency = 0;
    int negative = 0;
    const bool known = pa_stream_get_latency(stream_, &latency, &negative) == 0 && negative == 0;
    pa_threaded_mainloop_unlock(mainloop_);
    return known ? static_cast<std::int64_t>(latency) * 1000 : -1;
}

PulseAudioStream::~PulseAudioStream() {
    if (thread_.joinable()) {
        pa_threaded_mainloop_lock(mainloop_);
        running_ = false;
        pa_threaded_mainloop_signal(mainloop_, 0);
        pa_threaded_mainloop_unlock(mainloop_);
        thread_.join();
    }
    if (!mainloop_) return;
    pa_threaded_mainloop_lock(mainloop_);
    if (stream_) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    pa_threaded_mainloop_unlock(mainloop_);
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
}

// The render thread. It holds the main loop's lock only to talk to the server,
// never while rendering. A stream the server dropped ends the loop; what is
// sent after that piles up and is reported as a stalled output.
void PulseAudioStream::renderLoop() {
    const std::size_t periodBytes = interleaved_.size() * sizeof(float);
    float* channels[2] = {left_.data(), right_.data()};
    pa_threaded_mainloop_lock(mainloop_);
    while (running_ && pa_stream_get_state(stream_) == PA_STREAM_READY) {
        const std::size_t room = pa_stream_writable_size(stream_);
        if (room == static_cast<std::size_t>(-1)) break;
        if (room < periodBytes) {
            pa_threaded_mainloop_wait(mainloop_);
            continue;
        }
        pa_threaded_mainloop_unlock(mainloop_);
        std::fill(left_.begin(), left_.end(), 0.0f);
        std::fill(right_.begin(), right_.end(), 0.0f);
        render_(data_, size_.periodFrames, 0, nullptr, 2, channels);
        for (std::size_t i = 0; i < left_.size(); ++i) {
            interleaved_[2 * i] = left_[i];
            interleaved_[2 * i + 1] = right_[i];
        }
        pa_threaded_mainloop_lock(mainloop_);
        if (pa_stream_write(stream_, interleaved_.data(), periodBytes, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            break;
    }
    pa_threaded_mainloop_unlock(mainloop_);
}

}  // namespace velmora
