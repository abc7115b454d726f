#include "sound/offline_synth_render.h"

#include <fluidsynth.h>

#include <algorithm>
#include <thread>

#include "sound/audio_file_renderer.h"
#include "sound/fluid_synth_instance.h"

namespace velmora {

namespace {

constexpr float kFileGain = 0.4f;

}  // namespace

std::unique_ptr<FluidSynthInstance> createOfflineSynth(const std::string& soundfont, std::string& error) {
    FluidSynthInstance::Options options;
    options.soundfont = soundfont;
    options.sampleRate = kRenderSampleRate;
    options.threadSafe = false;
    options.cpuCores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    auto synth = FluidSynthInstance::create(options, error);
    if (synth) fluid_synth_set_gain(synth->synth(), kFileGain);
    return synth;
}

OfflineSynthRender::OfflineSynthRender(FluidSynthInstance& synth, std::vector<FramedMessage> messages,
                                       std::int64_t totalFrames)
    : synth_(synth), messages_(std::move(messages)), totalFrames_(totalFrames) {}

void OfflineSynthRender::renderNext(std::int64_t frames, StereoChunk& out) {
    const std::int64_t end = std::min(cursor_ + frames, totalFrames_);
    const auto length = static_cast<std::size_t>(std::max<std::int64_t>(end - cursor_, 0));
    out.left.resize(length);
    out.right.resize(length);
    std::size_t at = 0;
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
        const auto count = static_cast<int>(stop - cursor_);
        fluid_synth_write_float(synth_.synth(), count, out.left.data() + at, 0, 1, out.right.data() + at, 0, 1);
        at += static_cast<std::size_t>(count);
        cursor_ = stop;
    }
}

namespace {

std::int16_t toSample16(float value) {
    const float scaled = std::clamp(value * 32767.0f, -32768.0f, 32767.0f);
    return static_cast<std::int16_t>(scaled + (scaled >= 0.0f ? 0.5f : -0.5f));
}

}  // namespace

void toInterleaved16(const StereoChunk& chunk, std::vector<std::int16_t>& out) {
    out.resize(chunk.left.size() * OfflineSynthRender::kChannels);
    for (std::size_t i = 0; i < chunk.left.size(); ++i) {
        out[2 * i] = toSample16(chunk.left[i]);
        out[2 * i + 1] = toSample16(chunk.right[i]);
    }
}

}  // namespace velmora
