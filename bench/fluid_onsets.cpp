// How precisely notes start in the built-in synthesizer's audio. A performance's
// stamped messages are fed to the block scheduler and a synthesizer without an
// audio device, in 1024-frame periods whose callbacks come late by a random
// amount, as a busy sound server delivers them. Note onsets are found in the
// rendered audio (percussive drum sounds, one onset per tick) and compared with
// where the stamps put them. For contrast, the same run with every message
// applied at the start of the next period, as direct synthesizer calls are.
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "sound/block_scheduler.h"
#include "sound/fluid_backend.h"
#include "sound/fluid_synth_instance.h"

namespace {

using velmora::BlockScheduler;
using velmora::FluidSynthInstance;
using velmora::TimedMessage;

constexpr double kRate = 44100.0;
constexpr int kPeriod = 1024;
constexpr std::int64_t kTickNs = 150'000'000;
constexpr int kTicks = 400;
constexpr std::int64_t kStartNs = 1'000'000'000;
constexpr std::int64_t kFirstTickNs = kStartNs + 500'000'000;
constexpr int kDrumChannel = 9;
constexpr std::uint8_t kChordNotes[] = {76, 77, 75};  // wood blocks and claves: sharp attacks
constexpr float kOnsetThreshold = 0.01f;
constexpr int kQuietBefore = 2000;  // frames of quiet that must precede an onset

std::int64_t periodNs(int k) { return kStartNs + static_cast<std::int64_t>(k * kPeriod * 1e9 / kRate); }

// The synthesizer rendering into one long buffer, remembering which block each message landed in.
class RecordingTarget final : public velmora::BlockRenderTarget {
public:
    RecordingTarget(FluidSynthInstance& synth, std::vector<float>& audio) : synth_(synth), audio_(audio) {}
    void startPeriod(std::int64_t frame) {
        periodStart_ = frame;
        blockOffset_ = 0;
    }
    void applyMessage(const TimedMessage& message) override {
        synth_.applyMessage(message.status, message.data1, message.data2);
        appliedBlocks.push_back(periodStart_ + blockOffset_);
    }
    void renderBlock(int offset, int frames) override {
        float* out = audio_.data() + periodStart_ + offset;
        std::vector<float> right(static_cast<std::size_t>(frames));
        fluid_synth_write_float(synth_.synth(), frames, out, 0, 1, right.data(), 0, 1);
        blockOffset_ = offset + frames;
    }
    void silence() override { synth_.silence(); }
    std::vector<std::int64_t> appliedBlocks;

private:
    FluidSynthInstance& synth_;
    std::vector<float>& audio_;
    std::int64_t periodStart_ = 0;
    int blockOffset_ = 0;
};

std::unique_ptr<FluidSynthInstance> makeSynth() {
    std::string error;
    FluidSynthInstance::Options options;
    options.sampleRate = kRate;
    options.threadSafe = false;
    auto synth = FluidSynthInstance::create(options, error);
    if (!synth) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    fluid_synth_reverb_on(synth->synth(), -1, 0);
    fluid_synth_chorus_on(synth->synth(), -1, 0);
    return synth;
}

std::vector<std::int64_t> findOnsets(const std::vector<float>& audio) {
    std::vector<std::int64_t> onsets;
    std::int64_t lastLoud = -kQuietBefore - 1;
    for (std::size_t i = 0; i < audio.size(); ++i) {
        if (std::fabs(audio[i]) < kOnsetThreshold) continue;
        if (static_cast<std::int64_t>(i) - lastLoud > kQuietBefore)
            onsets.push_back(static_cast<std::int64_t>(i));
        lastLoud = static_cast<std::int64_t>(i);
    }
    return onsets;
}

// Frames between a note applied at a block start and the detected onset.
std::int64_t detectionDelay() {
    auto synth = makeSynth();
    std::vector<float> audio(44100), right(44100);
    synth->applyMessage(0xC0 | kDrumChannel, 0, 0);
    fluid_synth_write_float(synth->synth(), 64 * 10, audio.data(), 0, 1, right.data(), 0, 1);
    synth->applyMessage(0x90 | kDrumChannel, kChordNotes[0], 110);
    fluid_synth_write_float(synth->synth(), 44100 - 640, audio.data(), 640, 1, right.data(), 640, 1);
    const auto onsets = findOnsets(audio);
    return onsets.empty() ? 0 : onsets.front() - 640;
}

struct RunResult {
    std::vector<double> errorsMs;  // onset minus ideal, detection delay removed
    int chordsSplit = 0;
    std::int64_t late = 0;
    std::size_t onsetsFound = 0;
};

RunResult run(bool stamped, std::int64_t detectionFrames) {
    auto synth = makeSynth();
    const std::int64_t latencyNs =
        static_cast<std::int64_t>(kPeriod / kRate * 1e9) + velmora::FluidSynthBackend::kSafetyMarginNs;
    const int periods =
        static_cast<int>((kFirstTickNs - kStartNs + kTicks * kTickNs + latencyNs) * kRate / 1e9 / kPeriod) +
        20;
    std::vector<float> audio(static_cast<std::size_t>(periods) * kPeriod);
    BlockScheduler scheduler(kRate);
    RecordingTarget target(*synth, audio);

    std::mt19937 random(12345);
    std::uniform_int_distribution<std::int64_t> serverJitter(0, 3'000'000);
    std::uniform_int_distribution<std::int64_t> serverSpike(3'000'000, 10'000'000);
    std::uniform_real_distribution<double> coin(0.0, 1.0);
    std::uniform_int_distribution<std::int64_t> timerLateness(0, 2'000'000);

    struct Send {
        std::int64_t atNs;
        int tick;
    };
    std::vector<Send> sends;
    for (int tick = 0; tick < kTicks; ++tick)
        sends.push_back({kFirstTickNs + tick * kTickNs + timerLateness(random), tick});

    std::vector<std::size_t> firstMessageOfTick;
    std::size_t posted = 0;
    std::size_t nextSend = 0;
    scheduler.post({kStartNs + 100'000'000, static_cast<std::uint8_t>(0xC0 | kDrumChannel), 0, 0});
    ++posted;
    for (int k = 0; k < periods; ++k) {
        const std::int64_t callbackNs =
            periodNs(k) + (coin(random) < 0.05 ? serverSpike(random) : serverJitter(random));
        while (nextSend < sends.size() && sends[nextSend].atNs <= callbackNs) {
            const int tick = sends[nextSend].tick;
            const std::int64_t due = kFirstTickNs + tick * kTickNs;
            // Unstamped, a message counts as due already and sounds in the next period's first block.
            const std::int64_t stamp = stamped ? due + latencyNs : 0;
            firstMessageOfTick.push_back(posted);
            const int notes = tick % 4 == 0 ? 3 : 1;
            for (int n = 0; n < notes; ++n) {
                scheduler.post({stamp, static_cast<std::uint8_t>(0x90 | kDrumChannel), kChordNotes[n], 110});
                ++posted;
            }
            ++nextSend;
        }
        target.startPeriod(scheduler.streamFrame());
        scheduler.renderPeriod(kPeriod, callbackNs, target);
    }

    RunResult result;
    result.late = stamped ? scheduler.lateMessages() : 0;
    for (int tick = 0; tick < kTicks; tick += 4) {
        const std::size_t first = firstMessageOfTick[tick];
        if (target.appliedBlocks[first] != target.appliedBlocks[first + 2]) ++result.chordsSplit;
    }
    const std::vector<std::int64_t> onsets = findOnsets(audio);
    result.onsetsFound = onsets.size();
    for (int tick = 0; tick < kTicks && tick < static_cast<int>(onsets.size()); ++tick) {
        const double idealFrame = (kFirstTickNs + tick * kTickNs + latencyNs - kStartNs) * kRate / 1e9;
        result.errorsMs.push_back((onsets[tick] - detectionFrames - idealFrame) / kRate * 1000.0);
    }
    return result;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * (values.size() - 1))];
}

void report(const char* name, const RunResult& r) {
    const double median = percentile(r.errorsMs, 0.5);
    double worst = 0.0;
    for (double e : r.errorsMs) worst = std::max(worst, std::fabs(e - median));
    std::printf(
        "%-28s onsets %zu/%d  median offset %+6.2f ms  spread p5..p95 %+6.2f..%+6.2f ms  "
        "max |error - median| %5.2f ms  chords split %d  late %lld\n",
        name, r.onsetsFound, kTicks, median, percentile(r.errorsMs, 0.05) - median,
        percentile(r.errorsMs, 0.95) - median, worst, r.chordsSplit, static_cast<long long>(r.late));
}

}  // namespace

int main() {
    const std::int64_t delay = detectionDelay();
    std::printf("%d ticks of %lld ms, %d-frame periods at %.0f Hz, callbacks 0-3 ms late (5%% 3-10 ms)\n",
                kTicks, static_cast<long long>(kTickNs / 1'000'000), kPeriod, kRate);
    std::printf("onset detector delay %lld frames (removed)\n", static_cast<long long>(delay));
    report("stamped, 64-frame blocks", run(true, delay));
    report("direct (next period)", run(false, delay));
    return 0;
}
