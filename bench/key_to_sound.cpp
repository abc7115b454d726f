// Play as you type, measured to the moment the sound server plays the note:
// from a key event reaching the window's event queue, through the memo's
// typing sound (TypingSound over KeySounder over MidiOutPort), to the audio
// block that starts the note, plus the time the server says that block waits
// before it is heard (its queue and the sink's latency, read as the block is
// rendered). The synthesizer's path is the built-in one's: messages from the
// typing sound go to the block scheduler as keys played by hand, and a
// PulseAudio stream with the buffer named on the command line renders them
// through FluidSynth. bench/key_to_sound.sh starts a server with a null sink
// and runs each buffer.
//
// Usage: bench_key_to_sound [low|standard|safe] [keys = 150]   (PULSE_SERVER names the server)
#include <fluidsynth.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "midi/monotonic_clock.h"
#include "sound/block_scheduler.h"
#include "sound/fluid_synth_instance.h"
#include "sound/pulse_audio_stream.h"
#include "ui/performance/typing_sound.h"

namespace velmora {
namespace {

constexpr double kRate = 44100.0;

// The synthesizer in the stream's periods; remembers when each note-on's block plays.
class SynthTarget final : public BlockRenderTarget {
public:
    explicit SynthTarget(FluidSynthInstance& synth) : synth_(synth) {}
    void startPeriod(float** out, std::int64_t callbackNs, std::int64_t latencyNs) {
        out_ = out;
        callbackNs_ = callbackNs;
        latencyNs_ = latencyNs;
        offset_ = 0;
    }
    void applyMessage(const TimedMessage& message) override {
        synth_.applyMessage(message.status, message.data1, message.data2);
        if ((message.status & 0xF0) != 0x90 || message.data2 == 0 || latencyNs_ < 0) return;
        std::lock_guard<std::mutex> lock(mutex);
        heardNs.push_back(callbackNs_ + static_cast<std::int64_t>(offset_ / kRate * 1e9) + latencyNs_);
    }
    void silence() override { synth_.silence(); }
    void renderBlock(int offset, int frames) override {
        offset_ = offset;
        float* out[2] = {out_[0] + offset, out_[1] + offset};
        float* fx[4] = {out[0], out[1], out[0], out[1]};
        fluid_synth_process(synth_.synth(), frames, 4, fx, 2, out);
    }
    std::mutex mutex;
    std::vector<std::int64_t> heardNs;

private:
    FluidSynthInstance& synth_;
    float** out_ = nullptr;
    std::int64_t callbackNs_ = 0;
    std::int64_t latencyNs_ = -1;
    int offset_ = 0;
};

struct Audio {
    BlockScheduler scheduler{kRate};
    SynthTarget* target = nullptr;
    std::atomic<PulseAudioStream*> stream{nullptr};
};

int render(void* data, int frames, int, float*[], int, float* out[]) {
    auto& audio = *static_cast<Audio*>(data);
    const std::int64_t now = monotonicNowNs();
    PulseAudioStream* stream = audio.stream.load();
    audio.target->startPeriod(out, now, stream ? stream->latencyNs() : -1);
    audio.scheduler.renderPeriod(frames, now, *audio.target);
    return 0;
}

// Posts every message for the next block, as the synthesizer does with a key played by hand.
class HandPlayedOutput final : public MidiBackend {
public:
    explicit HandPlayedOutput(BlockScheduler& scheduler) : scheduler_(scheduler) {}
    bool open() override { return true; }
    void close() override {}
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        scheduler_.post({TimedMessage::kAtOnce, status, data1, data2});
    }

private:
    BlockScheduler& scheduler_;
};

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    using namespace velmora;
    const AudioBuffer buffer =
        parseAudioBuffer(argc > 1 ? argv[1] : "standard").value_or(AudioBuffer::Standard);
    const int keys = argc > 2 ? std::atoi(argv[2]) : 150;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    std::string error;
    auto synth = FluidSynthInstance::create({}, error);
    if (!synth) {
        std::fprintf(stderr, "no synthesizer: %s\n", error.c_str());
        return 1;
    }
    Audio audio;
    SynthTarget target(*synth);
    audio.target = &target;
    const AudioBufferSize size = audioBufferSize(buffer);
    auto stream = PulseAudioStream::open(kRate, size, render, &audio, error);
    if (!stream) {
        std::fprintf(stderr, "%s (bench/key_to_sound.sh starts a server)\n", error.c_str());
        return 1;
    }
    audio.stream = stream.get();
    HandPlayedOutput output(audio.scheduler);
    MidiOutPort port(output);
    PerformanceOptions options;  // the first pattern, the window's start-up choice
    SeededRandom rng(1);
    QPlainTextEdit memo;
    memo.show();
    TypingSound typing(memo, options, port, rng, [] { return false; });
    typing.setEnabled(true);

    std::vector<std::int64_t> keyNs;
    const QString letters = "qwrtpsdfgjklzxcvnm";  // letters that sound in the first pattern
    for (int key = 0; key < keys; ++key) {
        std::size_t before = 0;
        {
            std::lock_guard<std::mutex> lock(target.mutex);
            before = target.heardNs.size();
        }
        const std::int64_t start = monotonicNowNs();
        QCoreApplication::postEvent(&memo, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier,
                                                         letters.mid(key % letters.size(), 1)));
        QCoreApplication::processEvents();
        // Keys at typing speed, off the period grid; the release after one step comes through the event loop.
        const auto next =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(250 + (key * 7919) % 97);
        while (std::chrono::steady_clock::now() < next) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::lock_guard<std::mutex> lock(target.mutex);
        if (target.heardNs.size() == before + 1) keyNs.push_back(target.heardNs.back() - start);
    }
    typing.setEnabled(false);
    audio.stream = nullptr;
    stream.reset();

    if (keyNs.empty()) {
        std::fprintf(stderr, "no key sounded\n");
        return 1;
    }
    std::vector<double> delays;
    for (const std::int64_t ns : keyNs) delays.push_back(ns / 1e6);
    std::sort(delays.begin(), delays.end());
    std::printf(
        "%-8s %4d x %d frames (%5.1f ms queued): %zu keys; key -> sound median %5.1f ms  p95 %5.1f ms  "
        "worst %5.1f ms\n",
        std::string(audioBufferName(buffer)).c_str(), size.periodFrames, size.periods,
        size.periodFrames * size.periods / kRate * 1000, delays.size(), delays[delays.size() / 2],
        delays[delays.size() * 95 / 100], delays.back());
    return 0;
}
