#include "sound/fluid_backend.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>

#include "midi/monotonic_clock.h"

namespace velmora {

namespace {

constexpr std::int64_t kTrustedDueWindowNs = 1'000'000'000;
constexpr int kMaxBuffers = 16;

// The synthesizer rendering into the buffers of one audio callback.
class SynthPeriodTarget final : public BlockRenderTarget {
public:
    SynthPeriodTarget(FluidSynthInstance& synth, int nfx, float** fx, int nout, float** out)
        : synth_(synth),
          nfx_(std::min(nfx, kMaxBuffers)),
          fx_(fx),
          nout_(std::min(nout, kMaxBuffers)),
          out_(out) {}

    void applyMessage(const TimedMessage& message) override {
        synth_.applyMessage(message.status, message.data1, message.data2);
    }

    void silence() override { synth_.silence(); }

    void renderBlock(int offset, int frames) override {
        std::array<float*, kMaxBuffers> out{};
        std::array<float*, kMaxBuffers> fx{};
        for (int i = 0; i < nout_; ++i) out[static_cast<std::size_t>(i)] = out_[i] + offset;
        int fxCount = nfx_;
        if (fxCount > 0) {
            for (int i = 0; i < fxCount; ++i) fx[static_cast<std::size_t>(i)] = fx_[i] + offset;
        } else if (nout_ >= 2) {
            // No effect buffers: mix reverb and chorus into the dry pair.
            fx = {out[0], out[1], out[0], out[1]};
            fxCount = 4;
        }
        fluid_synth_process(synth_.synth(), frames, fxCount, fx.data(), nout_, out.data());
    }

private:
    FluidSynthInstance& synth_;
    int nfx_;
    float** fx_;
    int nout_;
    float** out_;
};

}  // namespace

FluidSynthBackend::FluidSynthBackend(std::string soundfont, AudioChoice audio,
                                     std::optional<AudioBufferSize> bufferSize)
    : soundfont_(std::move(soundfont)),
      audio_(audio),
      bufferSize_(bufferSize.value_or(audioBufferSize(audio.buffer))) {}

FluidSynthBackend::~FluidSynthBackend() {
    // The stream's thread uses the synthesizer and the scheduler: stop it first.
    stream_.reset();
}

bool FluidSynthBackend::open() {
    error_.clear();
    if (!startSynth() || !startAudioDriver()) return false;
    connected_ = true;
    tickDueNs_.reset();
    return true;
}

void FluidSynthBackend::close() {
    if (!connected_) return;
    scheduler_->requestSilence();
    connected_ = false;
}

bool FluidSynthBackend::startSynth() {
    if (synth_) return true;
    FluidSynthInstance::Options options;
    options.soundfont = soundfont_;
    options.sampleRate = kSampleRate;
    synth_ = FluidSynthInstance::create(options, error_);
    return synth_ != nullptr;
}

bool FluidSynthBackend::startAudioDriver() {
    if (stream_) return true;
    std::string tried;
    for (const AudioDriver driver : driversToTry(audio_.driver)) {
        // A fresh scheduler for each stream: its clock starts with the stream.
        scheduler_ = std::make_unique<BlockScheduler>(audioStreamRate(driver, synth_->sampleRate()));
        std::string reason;
        stream_ = openAudioStream(driver, synth_->settings(), bufferSize_, &FluidSynthBackend::renderCallback,
                                  this, reason);
        if (stream_) return true;
        tried += (tried.empty() ? "" : "; ") + reason;
    }
    error_ = "no audio output could be opened (" + tried +
             "); start a sound server (PipeWire, PulseAudio or JACK), choose another audio driver with "
             "--audio-driver or another output with --output";
    return false;
}

std::string FluidSynthBackend::outputDescription() const {
    if (!stream_) return {};
    const std::string device = stream_->deviceLabel();
    return stream_->driverLabel() + (device.empty() ? "" : ": " + device);
}

std::int64_t FluidSynthBackend::latencyNs() const {
    const int period = std::max(bufferSize_.periodFrames, scheduler_ ? scheduler_->largestPeriod() : 0);
    const double rate = synth_ ? synth_->sampleRate() : kSampleRate;
    return static_cast<std::int64_t>(period / rate * 1e9) + kSafetyMarginNs;
}

void FluidSynthBackend::sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!connected_) return;
    const std::int64_t now = monotonicNowNs();
    // A key played by hand goes into the next audio block, behind anything still waiting for its time.
    if (untimed_) {
        post(status, data1, data2, lastStampNs_ > now ? lastStampNs_ : TimedMessage::kAtOnce);
        return;
    }
    // A due time far from now is a caller's mistake or a stopped clock; the message then sounds at once.
    const bool trusted =
        tickDueNs_ && *tickDueNs_ > now - kTrustedDueWindowNs && *tickDueNs_ < now + kTrustedDueWindowNs;
    post(status, data1, data2, (trusted ? *tickDueNs_ : now) + latencyNs());
}

void FluidSynthBackend::post(std::uint8_t status, std::uint8_t data1, std::uint8_t data2,
                             std::int64_t soundNs) {
    // Stamps never go back, so the scheduler applies messages in the order they were sent.
    const std::int64_t stamp = soundNs == TimedMessage::kAtOnce ? soundNs : std::max(soundNs, lastStampNs_);
    if (stamp != TimedMessage::kAtOnce) lastStampNs_ = stamp;
    if (!scheduler_->post({stamp, status, data1, data2})) ++droppedMessages_;
}

std::optional<OutputWarning> FluidSynthBackend::takeWarning() {
    if (droppedMessages_ == 0 || droppedTold_) return std::nullopt;
    droppedTold_ = true;
    return OutputWarning{OutputWarning::Kind::StalledAudio, audioDriverLabel(), {}};
}

void FluidSynthBackend::setDeviceVolume(std::uint32_t volume) {
    if (synth_) synth_->setDeviceVolume(volume);
}

void FluidSynthBackend::beginTick(std::uint64_t /*tick*/) {
    tickDueNs_.reset();
    untimed_ = false;
}

void FluidSynthBackend::beginUntimed() {
    tickDueNs_.reset();
    untimed_ = true;
}

void FluidSynthBackend::setTickDueTime(std::int64_t dueNs) { tickDueNs_ = dueNs; }

int FluidSynthBackend::renderCallback(void* self, int frames, int nfx, float* fx[], int nout, float* out[]) {
    auto& backend = *static_cast<FluidSynthBackend*>(self);
    SynthPeriodTarget target(*backend.synth_, nfx, fx, nout, out);
    backend.scheduler_->renderPeriod(frames, monotonicNowNs(), target);
    return FLUID_OK;
}

}  // namespace velmora
