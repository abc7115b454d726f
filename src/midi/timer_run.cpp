#include "midi/timer_run.h"

#include <pthread.h>
#include <sched.h>

#include <chrono>
#include <utility>

#include "midi/monotonic_clock.h"
#include "midi/tick_timer.h"

namespace velmora {

namespace {

// The last stretch before each deadline that the timer thread spins instead of
// sleeping through.
constexpr std::int64_t kSpinNs = 300'000;

using Clock = std::chrono::steady_clock;

Clock::time_point atMonotonicNs(std::int64_t ns) { return Clock::time_point(std::chrono::nanoseconds(ns)); }

// Real-time scheduling keeps the wake-up punctual on a loaded machine. Without
// the privilege the timer still runs, only less punctually, so a refusal is not
// an error.
void requestRealtimeScheduling(int priority) {
    if (priority <= 0) return;
    sched_param param{};
    param.sched_priority = priority;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

}  // namespace

TimerRun::TimerRun(const Settings& settings, TickDispatcher& dispatcher, TimerLink timer)
    : settings_(settings), dispatcher_(dispatcher), timer_(std::move(timer)) {}

std::shared_ptr<TimerRun> TimerRun::start(const Settings& settings, TickDispatcher& dispatcher,
                                          TimerLink timer) {
    std::shared_ptr<TimerRun> run(new TimerRun(settings, dispatcher, std::move(timer)));
    run->startNs_ = monotonicNowNs();
    run->thread_ = std::thread([raw = run.get()] { raw->threadMain(); });
    return run;
}

TimerRun::~TimerRun() { stop(); }

void TimerRun::stop() {
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
    }
    changed_.notify_all();
    // The thread never waits for the owner's thread except on changed_, so this
    // join is short. (A dispatcher that ran tasks inline would make the thread
    // join itself here; TickDispatcher forbids that.)
    if (thread_.joinable()) thread_.join();
}

bool TimerRun::active() const {
    std::lock_guard lock(mutex_);
    return !ended_;
}

// Timer thread. Every wait is on changed_, so stop() ends the loop at once. The
// deadlines are absolute on the monotonic clock (the condition variable waits
// with pthread_cond_clockwait on CLOCK_MONOTONIC): a late wake-up or a long tick
// never shifts the grid.
void TimerRun::threadMain() {
    requestRealtimeScheduling(settings_.realtimePriority);
    const std::int64_t intervalNs = std::int64_t{settings_.intervalMs} * 1'000'000;
    const std::int64_t replyTimeoutNs = std::int64_t{settings_.replyTimeoutMs} * 1'000'000;
    const auto isEnded = [this] { return ended_; };

    std::unique_lock lock(mutex_);
    for (std::uint64_t sequence = 1;; ++sequence) {
        TickRecord record;
        record.sequence = sequence;
        record.dueNs = startNs_ + static_cast<std::int64_t>(sequence) * intervalNs;
        // Sleep to just before the deadline, then spin the last stretch: waking a
        // sleeping thread costs a tenth of a millisecond or more on an idle machine.
        if (changed_.wait_until(lock, atMonotonicNs(record.dueNs - kSpinNs), isEnded)) return;
        lock.unlock();
        while (monotonicNowNs() < record.dueNs) {
        }
        lock.lock();
        if (ended_) return;

        handedSequence_ = sequence;
        tick_ = TickState::Pending;
        lock.unlock();
        record.handedNs = monotonicNowNs();
        dispatcher_.post([self = shared_from_this(), record] { self->runTick(record); });
        lock.lock();

        const auto replyDeadline = atMonotonicNs(record.handedNs + replyTimeoutNs);
        changed_.wait_until(lock, replyDeadline, [this] { return ended_ || tick_ == TickState::Done; });
        if (ended_) return;
        if (tick_ == TickState::Done) continue;

        // Overrun. A tick still waiting in the queue must never run; one already
        // running finishes, but nothing follows it. The timer switches itself
        // off on the owner's thread when the overrun arrives there.
        if (tick_ == TickState::Pending) tick_ = TickState::Cancelled;
        ended_ = true;
        lock.unlock();
        dispatcher_.post([self = shared_from_this()] { self->deliverOverrun(); });
        return;
    }
}

void TimerRun::runTick(TickRecord record) {
    {
        std::lock_guard lock(mutex_);
        if (ended_ || tick_ != TickState::Pending || handedSequence_ != record.sequence) return;
        tick_ = TickState::Running;
    }
    // The run was not stopped, so the timer, whose destructor stops it, is alive.
    (*timer_)->runTick(record);
    {
        std::lock_guard lock(mutex_);
        // An exception in the handler counts as an answer too: runTick reported it.
        tick_ = TickState::Done;
    }
    changed_.notify_all();
}

void TimerRun::deliverOverrun() {
    if (TickTimer* timer = *timer_) timer->overran(*this);
}

}  // namespace velmora
