#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "midi/event_queue_dispatcher.h"
#include "midi/monotonic_clock.h"
#include "midi/tick_timer.h"

namespace velmora::testing {

using namespace std::chrono_literals;

// The period of tests that need ticks on time. The owner's thread must answer
// within 93 % of it also on a loaded machine under a sanitizer, so it is not short.
constexpr std::uint32_t kPeriodMs = 60;
constexpr std::chrono::milliseconds kPeriod{kPeriodMs};

class RecordingOwner : public TickOwner {
public:
    void tickOverran() override {
        ++overruns;
        if (onOverrun) onOverrun();
    }

    int overruns = 0;
    std::function<void()> onOverrun;
};

// A timer driven by a queue that the test thread drains, with every tick recorded.
// The test thread is the owner's thread.
class TimerFixture {
public:
    TimerFixture() : timer(std::make_unique<TickTimer>(owner, dispatcher)) {
        timer->setTickObserver([this](const TickRecord& record) { records.push_back(record); });
    }

    // Runs the owner's side for the whole duration.
    void drainFor(std::chrono::milliseconds duration) {
        dispatcher.runUntil([] { return false; }, duration);
    }
    bool drainUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 2s) {
        return dispatcher.runUntil(done, limit);
    }
    // Waits, without running anything on the owner's side, until the timer thread
    // has handed something over.
    bool waitForHandOver(std::chrono::milliseconds limit = 2s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (dispatcher.pendingCount() == 0) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(100us);
        }
        return true;
    }
    // For failure messages: what ran and when, relative to each tick's due time.
    std::string describe() const {
        std::ostringstream out;
        out << records.size() << " ticks, " << owner.overruns << " overruns, running "
            << (timer && timer->running()) << ";";
        for (const TickRecord& r : records) {
            out << " #" << r.sequence << " handed +" << (r.handedNs - r.dueNs) / 1000 << "us start +"
                << (r.startNs - r.dueNs) / 1000 << "us took " << (r.finishNs - r.startNs) / 1000 << "us;";
        }
        return out.str();
    }
    std::vector<std::uint64_t> sequences() const {
        std::vector<std::uint64_t> result;
        for (const TickRecord& record : records) result.push_back(record.sequence);
        return result;
    }

    // Declared so that the timer goes first: it must not outlive the others.
    EventQueueDispatcher dispatcher;
    RecordingOwner owner;
    std::vector<TickRecord> records;
    std::unique_ptr<TickTimer> timer;
};

inline std::int64_t msToNs(std::int64_t ms) { return ms * 1'000'000; }

}  // namespace velmora::testing
