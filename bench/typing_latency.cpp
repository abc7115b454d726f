// Play as you type: the delay from a key event reaching the window's event
// queue to the note-on at the output, and for the built-in synthesizer to the
// audio block that starts the note. The memo and its typing sound are the
// window's own (TypingSound over KeySounder over MidiOutPort). The output
// stamps each message with the monotonic clock and, as the synthesizer does
// with a key played by hand, hands it to the block scheduler to be applied in
// the next block (TimedMessage::kAtOnce).
// An audio thread renders 512-frame periods at 44.1 kHz in real time (the
// synthesizer's period) through the scheduler into FluidSynth; each applied
// note-on is stamped as its block is rendered. There is no sound device here,
// so the periods are paced by the clock as a sound server would call them.
//
// Usage: bench_typing_latency [keys = 400]
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
#include "ui/performance/typing_sound.h"

#include <fluidsynth.h>

namespace velmora {
namespace {

constexpr int kPeriodFrames = 512;
constexpr double kRate = 44100.0;

class SynthTarget final : public BlockRenderTarget {
public:
    explicit SynthTarget(FluidSynthInstance& synth) : synth_(synth), left_(kPeriodFrames), right_(kPeriodFrames) {}
    void applyMessage(const TimedMessage& message) override {
        synth_.applyMessage(message.status, message.data1, message.data2);
        if ((message.status & 0xF0) == 0x90 && message.data2 != 0) {
            std::lock_guard<std::mutex> lock(mutex);
            soundedNs.push_back(monotonicNowNs());
            callbackLateNs.push_back(currentLatenessNs);
        }
    }
    void silence() override { synth_.silence(); }
    void renderBlock(int offset, int frames) override {
        fluid_synth_write_float(synth_.synth(), frames, left_.data(), offset, 1, right_.data(), offset, 1);
    }
    std::mutex mutex;
    std::vector<std::int64_t> soundedNs;
    std::vector<std::int64_t> callbackLateNs;  // how late the audio callback that applied it ran
    std::int64_t currentLatenessNs = 0;        // audio thread

private:
    FluidSynthInstance& synth_;
    std::vector<float> left_, right_;
};

// The output: stamps note-ons and posts every message for the next block.
class StampingOutput final : public MidiBackend {
public:
    explicit StampingOutput(BlockScheduler& scheduler) : scheduler_(scheduler) {}
    bool open() override { return true; }
    void close() override {}
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        const std::int64_t now = monotonicNowNs();
        if ((status & 0xF0) == 0x90 && data2 != 0) outputNs.push_back(now);
        scheduler_.post({TimedMessage::kAtOnce, status, data1, data2});
    }
    std::vector<std::int64_t> outputNs;

private:
    BlockScheduler& scheduler_;
};

struct Figures {
    double median, p95, worst;
};

Figures figuresOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values[values.size() * 95 / 100], values.back()};
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    using namespace velmora;
    const int keys = argc > 1 ? std::atoi(argv[1]) : 400;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    std::string error;
    FluidSynthInstance::Options synthOptions;
    auto synth = FluidSynthInstance::create(synthOptions, error);
    if (!synth) {
        std::fprintf(stderr, "no synthesizer: %s\n", error.c_str());
        return 1;
    }
    BlockScheduler scheduler(kRate);
    SynthTarget target(*synth);
    StampingOutput output(scheduler);
    std::atomic<bool> running{true};
    std::thread audio([&] {
        const auto period = std::chrono::nanoseconds(static_cast<std::int64_t>(kPeriodFrames / kRate * 1e9));
        auto next = std::chrono::steady_clock::now();
        while (running) {
            next += period;
            std::this_thread::sleep_until(next);
            const std::int64_t now = monotonicNowNs();
            target.currentLatenessNs =
                std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - next).count();
            scheduler.renderPeriod(kPeriodFrames, now, target);
        }
    });

    PerformanceOptions options;  // the first pattern, the window's start-up choice
    MidiOutPort port(output);
    SeededRandom rng(1);
    QPlainTextEdit memo;
    memo.show();
    TypingSound typing(memo, options, port, rng, [] { return false; });
    typing.setEnabled(true);

    std::vector<std::int64_t> keyNs;
    const QString letters = "qwrtpsdfgjklzxcvnm";  // letters that sound in the first pattern
    for (int key = 0; key < keys; ++key) {
        const QString text = letters.mid(key % letters.size(), 1);
        const std::size_t before = output.outputNs.size();
        const std::int64_t start = monotonicNowNs();
        QCoreApplication::postEvent(&memo, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text));
        QCoreApplication::processEvents();
        if (output.outputNs.size() > before) keyNs.push_back(start);
        // Keys at typing speed, and off the period grid.
        std::this_thread::sleep_for(std::chrono::microseconds(37000 + (key * 7919) % 23000));
        // Releases after the tempo's step come through the event loop as well.
        QCoreApplication::processEvents();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    running = false;
    audio.join();

    std::vector<double> toOutput, toSound, toSoundOnTime;
    std::lock_guard<std::mutex> lock(target.mutex);
    const std::size_t count = std::min({keyNs.size(), output.outputNs.size(), target.soundedNs.size()});
    for (std::size_t i = 0; i < count; ++i) {
        toOutput.push_back((output.outputNs[i] - keyNs[i]) / 1e6);
        toSound.push_back((target.soundedNs[i] - keyNs[i]) / 1e6);
        toSoundOnTime.push_back((target.soundedNs[i] - target.callbackLateNs[i] - keyNs[i]) / 1e6);
    }
    if (toOutput.empty()) {
        std::fprintf(stderr, "no key sounded\n");
        return 1;
    }
    const Figures out = figuresOf(toOutput);
    const Figures sound = figuresOf(toSound);
    const Figures onTime = figuresOf(toSoundOnTime);
    const double periodMs = kPeriodFrames / kRate * 1000;
    std::printf("%zu keys sounded of %d typed\n", count, keys);
    std::printf("key -> output message: median %6.3f ms  p95 %6.3f ms  worst %6.3f ms  (goal < 10 ms)\n", out.median,
                out.p95, out.worst);
    std::printf("key -> first audio block: median %6.3f ms  p95 %6.3f ms  worst %6.3f ms  (goal < %.1f ms)\n",
                sound.median, sound.p95, sound.worst, periodMs + 3);
    std::printf("  less the audio thread's own lateness: median %6.3f ms  p95 %6.3f ms  worst %6.3f ms\n",
                onTime.median, onTime.p95, onTime.worst);
    return 0;
}
