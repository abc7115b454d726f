#include "sound/wav_renderer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <thread>

#include "documents/atomic_file.h"
#include "documents/file_error.h"
#include "sound/fluid_synth_instance.h"
#include "smf/midi_file_reader.h"
#include "smf/midi_file_timeline.h"
#include "sound/wav_encoding.h"

namespace velmora {

namespace {

constexpr int kChannels = 2;
constexpr std::int64_t kBlockFrames = 64;
constexpr std::int64_t kChunkFrames = 64 * kBlockFrames;  // between progress reports and cancel checks
// Twice FluidSynth's default gain: a file has no volume control of its own,
// and a few voices at the default level peak around -30 dBFS.
constexpr float kFileGain = 0.4f;

WavRenderResult failure(std::string error) {
    return {WavRenderResult::Status::Failed, std::move(error), 0.0, {}};
}

std::int16_t toSample(float value) {
    const float scaled = std::clamp(value * 32767.0f, -32768.0f, 32767.0f);
    return static_cast<std::int16_t>(scaled + (scaled >= 0.0f ? 0.5f : -0.5f));
}

struct FramedMessage {
    std::int64_t frame;
    TimedFileMessage message;
};

// Renders the messages into interleaved samples; false when cancelled.
class OfflineRender {
public:
    OfflineRender(FluidSynthInstance& synth, std::vector<FramedMessage> messages, std::int64_t totalFrames)
        : synth_(synth),
          messages_(std::move(messages)),
          totalFrames_(totalFrames),
          samples_(static_cast<std::size_t>(totalFrames) * kChannels) {}

    bool run(const std::function<void(double)>& progress, const std::atomic<bool>* cancel) {
        while (cursor_ < totalFrames_) {
            if (cancel && cancel->load(std::memory_order_relaxed)) return false;
            renderUntil(std::min(cursor_ + kChunkFrames, totalFrames_));
            if (progress) progress(static_cast<double>(cursor_) / static_cast<double>(totalFrames_));
        }
        return true;
    }

    std::vector<std::int16_t>& samples() { return samples_; }

private:
    void renderUntil(std::int64_t end) {
        while (cursor_ < end) {
            // Apply what falls in the block starting at the cursor, then render up to the block of the next
            // message.
            while (next_ < messages_.size() && messages_[next_].frame < cursor_ + kBlockFrames) {
                const TimedFileMessage& m = messages_[next_++].message;
                synth_.applyMessage(m.status, m.data1, m.data2);
            }
            std::int64_t stop = end;
            if (next_ < messages_.size()) {
                const std::int64_t nextBlock = messages_[next_].frame / kBlockFrames * kBlockFrames;
                stop = std::min(stop, std::max(nextBlock, cursor_ + kBlockFrames));
            }
            render(stop - cursor_);
        }
    }

    void render(std::int64_t frames) {
        left_.resize(static_cast<std::size_t>(frames));
        right_.resize(static_cast<std::size_t>(frames));
        fluid_synth_write_float(synth_.synth(), static_cast<int>(frames), left_.data(), 0, 1, right_.data(),
                                0, 1);
        std::int16_t* out = samples_.data() + cursor_ * kChannels;
        for (std::int64_t i = 0; i < frames; ++i) {
            out[2 * i] = toSample(left_[i]);
            out[2 * i + 1] = toSample(right_[i]);
        }
        cursor_ += frames;
    }

    FluidSynthInstance& synth_;
    std::vector<FramedMessage> messages_;
    std::int64_t totalFrames_;
    std::vector<std::int16_t> samples_;
    std::vector<float> left_;
    std::vector<float> right_;
    std::int64_t cursor_ = 0;
    std::size_t next_ = 0;
};

}  // namespace

WavRenderResult renderWav(const std::vector<std::uint8_t>& smfBytes, const std::string& path,
                          const std::string& soundfont, const std::function<void(double)>& progress,
                          const std::atomic<bool>* cancel) {
    MidiFileReadResult file = readMidiFile(smfBytes);
    if (!file.content) return failure("cannot read the MIDI data: " + file.error);

    std::vector<FramedMessage> messages;
    for (const TimedFileMessage& message : midiFileTimeline(*file.content)) {
        messages.push_back({std::llround(message.seconds * kWavSampleRate), message});
    }
    const std::int64_t lastFrame = messages.empty() ? 0 : messages.back().frame;
    const auto totalFrames = lastFrame + static_cast<std::int64_t>(kReleaseTailSeconds * kWavSampleRate);
    if (static_cast<std::uint64_t>(totalFrames) * kChannels * 2 > kMaxWavDataBytes) {
        return failure("the music lasts too long for a WAV file");
    }

    std::string error;
    FluidSynthInstance::Options options;
    options.soundfont = soundfont;
    options.sampleRate = kWavSampleRate;
    options.threadSafe = false;
    // Offline there is no deadline to share the processor with: every core renders voices.
    options.cpuCores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    auto synth = FluidSynthInstance::create(options, error);
    if (!synth) return failure(error);
    fluid_synth_set_gain(synth->synth(), kFileGain);

    OfflineRender render(*synth, std::move(messages), totalFrames);
    if (!render.run(progress, cancel)) return {WavRenderResult::Status::Cancelled, {}, 0.0, {}};
    const std::string bytes = encodeWav(render.samples(), kChannels, kWavSampleRate);
    if (cancel && cancel->load(std::memory_order_relaxed))
        return {WavRenderResult::Status::Cancelled, {}, 0.0, {}};
    try {
        writeFileAtomically(path, bytes);
    } catch (const FileError& e) {
        WavRenderResult failed = failure(std::string(e.what()) + " (" + e.detail() + ")");
        failed.englishError = e.englishWithDetail();
        return failed;
    }
    return {WavRenderResult::Status::Written, {}, static_cast<double>(totalFrames) / kWavSampleRate, {}};
}

}  // namespace velmora
