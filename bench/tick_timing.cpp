// Punctuality of the tick timer: how late each tick starts on the owner's thread
// against the ideal grid, whether the grid drifts, and how much of the 93 % budget
// a tick that sends a handful of MIDI messages uses. Idle, with every core busy,
// and busy with the owner's thread raised to real-time scheduling as well.
//
// Usage: bench_tick_timing [ticks per run = 600] [intervals in ms = 50 80 200]
#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "midi/event_queue_dispatcher.h"
#include "midi/midi_backend.h"
#include "midi/midi_out_port.h"
#include "midi/monotonic_clock.h"
#include "midi/tick_timer.h"

namespace velmora {
namespace {

struct StampedMessage {
    std::int64_t ns;
    std::uint8_t status, data1, data2;
};

// Stands in for the synthesizer: stamps every message with the monotonic clock.
class StampingSink final : public MidiBackend {
public:
    explicit StampingSink(std::size_t capacity) { messages.reserve(capacity); }
    bool open() override { return true; }
    void close() override {}
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        messages.push_back({monotonicNowNs(), status, data1, data2});
    }
    std::vector<StampedMessage> messages;
};

class CountingOwner final : public TickOwner {
public:
    void tickOverran() override { ++overruns; }
    int overruns = 0;
};

// The shape of a live tick: release the previous melody note and chord, sound
// the next note, and a chord of three on every fourth tick.
class TickWork {
public:
    explicit TickWork(MidiOutPort& port) : port_(port) {}
    void operator()() {
        if (melody_ != 0) port_.noteOff(melody_, 1);
        for (std::uint8_t note : chord_) port_.noteOff(note, 0);
        chord_.clear();
        melody_ = static_cast<std::uint8_t>(60 + (count_ * 7) % 24);
        port_.noteOn(melody_, 127, 1);
        if (count_ % 4 == 0) {
            for (std::uint8_t step : {0, 4, 7}) {
                chord_.push_back(static_cast<std::uint8_t>(48 + step + count_ % 12));
                port_.noteOn(chord_.back(), 110, 0);
            }
        }
        ++count_;
    }

private:
    MidiOutPort& port_;
    std::uint8_t melody_ = 0;
    std::vector<std::uint8_t> chord_;
    unsigned count_ = 0;
};

// Threads that spin for the whole run, one a core.
class BusyLoad {
public:
    explicit BusyLoad(int threads) {
        for (int i = 0; i < threads; ++i) {
            workers_.emplace_back([this] {
                volatile std::uint64_t sink = 0;
                while (running_.load(std::memory_order_relaxed)) sink = sink * 6364136223846793005u + 1;
            });
        }
    }
    ~BusyLoad() {
        running_ = false;
        for (auto& worker : workers_) worker.join();
    }

private:
    std::atomic<bool> running_{true};
    std::vector<std::thread> workers_;
};

struct RunResult {
    std::vector<TickRecord> records;
    int overruns = 0;
    std::size_t messages = 0;
};

RunResult runTimer(std::uint32_t intervalMs, std::size_t ticks) {
    EventQueueDispatcher dispatcher;
    CountingOwner owner;
    StampingSink sink(ticks * 8 + 16);
    MidiOutPort port(sink);
    port.open();
    TickWork work(port);
    RunResult result;
    result.records.reserve(ticks);

    TickTimer timer(owner, dispatcher);
    timer.setTickObserver([&](const TickRecord& record) { result.records.push_back(record); });
    timer.setHandler([&](TickTimer&) { work(); });
    timer.setInterval(intervalMs);
    timer.setEnabled(true);
    const auto limit = std::chrono::milliseconds(intervalMs) * (ticks + 10) + std::chrono::seconds(2);
    dispatcher.runUntil([&] { return result.records.size() >= ticks || owner.overruns > 0; }, limit);
    timer.setEnabled(false);
    dispatcher.runPending();
    result.overruns = owner.overruns;
    result.messages = sink.messages.size();
    return result;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

// Least-squares slope of y over x.
double slope(const std::vector<double>& x, const std::vector<double>& y) {
    const double n = static_cast<double>(x.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    const double denominator = n * sxx - sx * sx;
    return denominator == 0 ? 0 : (n * sxy - sx * sy) / denominator;
}

double nsToMs(std::int64_t ns) { return static_cast<double>(ns) / 1e6; }

// Other programs on the machine spoil an "idle" run; the load average tells.
std::string loadAverage() {
    std::FILE* file = std::fopen("/proc/loadavg", "r");
    if (!file) return "?";
    char text[64] = {};
    const bool read = std::fgets(text, sizeof text, file) != nullptr;
    std::fclose(file);
    std::string result = read ? text : "?";
    return result.substr(0, result.find(' '));
}

void report(const char* load, std::uint32_t intervalMs, const RunResult& run) {
    std::vector<double> lateness, wake, duration, sequence;
    for (const TickRecord& r : run.records) {
        lateness.push_back(nsToMs(r.startNs - r.dueNs));
        wake.push_back(nsToMs(r.handedNs - r.dueNs));
        duration.push_back(nsToMs(r.finishNs - r.startNs));
        sequence.push_back(static_cast<double>(r.sequence));
    }
    const double budget = TickTimer::replyTimeoutFor(intervalMs);
    const double drift = lateness.empty() ? NAN : lateness.back() - lateness.front();
    const double maxDuration = duration.empty() ? NAN : *std::max_element(duration.begin(), duration.end());
    std::printf(
        "%-7s %4u ms %5zu ticks | start late p50 %.3f p99 %.3f max %.3f ms | wake p50 %.3f max %.3f ms | "
        "drift %+.3f ms, slope %+.4f us/tick | tick max %.3f ms = %.3f %% of %.0f ms | overruns %d | "
        "messages %zu | loadavg %s\n",
        load, intervalMs, run.records.size(), percentile(lateness, 0.5), percentile(lateness, 0.99),
        percentile(lateness, 1.0), percentile(wake, 0.5), percentile(wake, 1.0), drift,
        slope(sequence, lateness) * 1000.0, maxDuration, 100.0 * maxDuration / budget, budget, run.overruns,
        run.messages, loadAverage().c_str());
    std::fflush(stdout);
}

// Raises the calling (owner's) thread to SCHED_FIFO for one run, to tell the
// timer's own punctuality apart from the scheduling of an ordinary GUI thread.
class RealtimeOwnerThread {
public:
    RealtimeOwnerThread() {
        pthread_getschedparam(pthread_self(), &policy_, &saved_);
        sched_param param{};
        param.sched_priority = TickTimer::kRealtimePriority - 1;
        pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
    }
    ~RealtimeOwnerThread() { pthread_setschedparam(pthread_self(), policy_, &saved_); }

private:
    int policy_ = SCHED_OTHER;
    sched_param saved_{};
};

bool realtimeSchedulingAllowed() {
    bool allowed = false;
    std::thread probe([&] {
        sched_param param{};
        param.sched_priority = TickTimer::kRealtimePriority;
        allowed = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
    });
    probe.join();
    return allowed;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    using namespace velmora;
    std::size_t ticks = 600;
    std::vector<std::uint32_t> intervals;
    if (argc > 1) ticks = static_cast<std::size_t>(std::strtoul(argv[1], nullptr, 10));
    for (int i = 2; i < argc; ++i)
        intervals.push_back(static_cast<std::uint32_t>(std::strtoul(argv[i], nullptr, 10)));
    if (intervals.empty()) intervals = {50, 80, 200};
    if (ticks == 0) {
        std::fprintf(stderr, "usage: bench_tick_timing [ticks] [interval ms...]\n");
        return 2;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("timer thread real-time scheduling (SCHED_FIFO %d): %s; %u cores\n",
                TickTimer::kRealtimePriority, realtimeSchedulingAllowed() ? "granted" : "refused", cores);
    for (std::uint32_t interval : intervals) {
        report("idle", interval, runTimer(interval, ticks));
        BusyLoad load(static_cast<int>(cores));
        report("busy", interval, runTimer(interval, ticks));
        RealtimeOwnerThread realtime;
        report("busy+rt", interval, runTimer(interval, ticks));
    }
    return 0;
}
