// What the piano roll costs the interface thread. The same long performance
// is ticked by hand through the transport, once straight to the output and
// once through the roll's live recorder; each tick's time is measured. The
// roll's own frame (catching up with the record, laying out and painting a
// 900 x 200 view) runs on its 30 fps timer, outside the ticks: its time is
// measured as well and shown per tick at the given tempo.
//
// Usage: bench_roll_tick_cost [ticks per run = 4000] [runs = 5]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/transport.h"
#include "midi/monotonic_clock.h"
#include "roll/live_roll.h"
#include "roll/qt/roll_painter.h"

namespace velmora {
namespace {

constexpr int kViewWidth = 900;
constexpr int kViewHeight = 200;
constexpr int kFrameMs = 33;

class HandTimer final : public PeriodicTimer {
public:
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void setInterval(std::uint32_t) override {}

private:
    bool enabled_ = false;
};

// The window's part in a performance, doing nothing: only the engine's work is timed.
class QuietHost final : public TransportHost {
public:
    explicit QuietHost(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    MemoSnapshot memoSnapshot() override {
        MemoSnapshot memo;
        memo.upperLines = lines_;
        memo.lineStarts = lineStartsOfPlainLines(lines_);
        memo.visibleLines = 1000000;
        return memo;
    }
    void setMemoSelection(std::int32_t, std::int32_t) override {}
    void displayChanged(const TransportDisplay&) override {}
    void showOverrunMessage(const std::string&) override {}
    void highlightCharacter(std::int32_t, std::int32_t) override {}
    void scrollDownOneLine() override {}
    void showElapsed(const std::string&) override {}

private:
    std::vector<std::string> lines_;
};

std::vector<std::string> referenceText() {
    const char* words[] = {"MORNING", "WALK", "THROUGH", "THE", "QUIET", "STREETS", "WITH", "A", "CUP", "OF",
                           "TEA", "AND", "SONG", "BIRDS", "ABOVE", "GREEN", "HILLS", "RAIN", "LIGHT", "HOME"};
    std::vector<std::string> lines;
    unsigned seed = 12345;
    for (int line = 0; line < 600; ++line) {
        std::string text;
        for (int word = 0; word < 8; ++word) {
            seed = seed * 1103515245u + 12345u;
            if (!text.empty()) text += ' ';
            text += words[(seed >> 16) % 20];
        }
        lines.push_back(text);
    }
    return lines;
}

struct Figures {
    double median = 0;
    double p99 = 0;
    double worst = 0;
};

Figures figuresOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values[values.size() * 99 / 100], values.back()};
}

// One performance of `ticks` ticks; returns each tick's time in µs. With a
// recorder, every `ticksPerFrame`-th tick is followed by a roll frame, timed apart.
std::vector<double> perform(const std::vector<std::string>& lines, int ticks, bool withRoll,
                            std::vector<double>& frameTimes, int ticksPerFrame) {
    PerformanceOptions options;
    options.scalePattern = 0;
    SeededRandom rng(7);
    NullBackend output;
    PerformanceState stateForRecorder;
    HandTimer tickTimer, endTimer, repeatTimer;
    QuietHost host(lines);
    // The recorder reads the transport's state, which exists only with the transport: the port starts on the
    // plain output and the recorder is put between them once both exist.
    MidiOutPort port(output);
    Transport transport(options, port, rng, tickTimer, endTimer, repeatTimer, host);
    LiveRollRecorder recorder(output, &transport.state());
    if (withRoll) port.setBackend(recorder);
    LiveRoll roll;
    roll.reset(4, 63);
    QImage view(kViewWidth, kViewHeight, QImage::Format_RGB32);

    std::vector<double> tickTimes;
    tickTimes.reserve(static_cast<std::size_t>(ticks));
    transport.play();
    for (int tick = 0; tick < ticks && transport.performing(); ++tick) {
        const std::int64_t start = monotonicNowNs();
        transport.tick();
        tickTimes.push_back((monotonicNowNs() - start) / 1000.0);
        if (withRoll && tick % ticksPerFrame == 0) {
            const std::int64_t frameStart = monotonicNowNs();
            roll.catchUp(recorder);
            const RollModel& model = roll.model();
            const RollLayout probe(model);
            const RollLayout layout(model, RollLayout::kDefaultStepWidth,
                                    std::clamp((kViewHeight - RollLayout::kHeaderHeight) / probe.rows(), 3.0, 12.0));
            const double scroll = std::max(0.0, layout.stepX(roll.currentStep()) - kViewWidth * 0.75);
            QPainter painter(&view);
            paintRoll(painter, layout, scroll, kViewWidth, roll.currentStep());
            painter.end();
            frameTimes.push_back((monotonicNowNs() - frameStart) / 1000.0);
        }
    }
    transport.shutdown();
    return tickTimes;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    using namespace velmora;
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 4000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::vector<std::string> lines = referenceText();
    const int tempoMs = PerformanceOptions{}.timerInterval();
    const int ticksPerFrame = std::max(1, tempoMs / kFrameMs);

    std::vector<double> without, with, frames;
    for (int run = 0; run < runs; ++run) {
        std::vector<double> unused;
        const auto plain = perform(lines, ticks, false, unused, ticksPerFrame);
        const auto recorded = perform(lines, ticks, true, frames, ticksPerFrame);
        without.insert(without.end(), plain.begin(), plain.end());
        with.insert(with.end(), recorded.begin(), recorded.end());
    }
    const Figures a = figuresOf(without);
    const Figures b = figuresOf(with);
    const Figures f = figuresOf(frames);
    std::printf("ticks per run %d, runs %d, interleaved; %zu ticks timed each way\n", ticks, runs, with.size());
    std::printf("tick without roll:  median %7.2f us  p99 %7.2f us  worst %8.2f us\n", a.median, a.p99, a.worst);
    std::printf("tick with roll:     median %7.2f us  p99 %7.2f us  worst %8.2f us\n", b.median, b.p99, b.worst);
    std::printf("ratio of medians (with / without): %.3f\n", b.median / a.median);
    std::printf("roll frame (%dx%d, outside the ticks): median %7.1f us  p99 %7.1f us  worst %8.1f us\n", kViewWidth,
                kViewHeight, f.median, f.p99, f.worst);
    std::printf("frames per tick at %d ms: %.2f -> %.1f us of frame work per tick (median), never inside one\n",
                tempoMs, static_cast<double>(tempoMs) / kFrameMs, f.median * tempoMs / kFrameMs);
    return 0;
}
