#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "midi/periodic_timer.h"
#include "midi/tick_dispatcher.h"
#include "midi/tick_record.h"

namespace velmora {

class TimerRun;

// What a TickTimer tells the object that owns it, on the owner's thread.
class TickOwner {
public:
    virtual ~TickOwner() = default;
    // A tick did not finish within the reply timeout; the timer has switched
    // itself off.
    virtual void tickOverran() = 0;
};

// A periodic timer whose handler runs on the owner's thread, at most once at a
// time. A dedicated thread wakes at each expiry (the n-th due one interval x n
// after the (re)start, so there is no drift), hands it to the owner's thread
// through the dispatcher, and waits for the tick to finish at most the reply
// timeout (93 % of the interval). A tick that is late switches the timer off,
// and the owner then hears tickOverran() once; an expiry that had not started
// by then never runs.
//
// Threads: every member of this class belongs to the owner's thread, which is the
// thread the dispatcher runs tasks on; all calls come from it, also from inside
// the tick. The timer thread sees only its TimerRun. Any setter may be called
// from inside the handler (stop, restart, a new handler, even the destructor).
class TickTimer final : public PeriodicTimer {
public:
    using TickHandler = std::function<void(TickTimer& sender)>;
    using ErrorReporter = std::function<void(const std::string& message)>;
    using TickObserver = std::function<void(const TickRecord& record)>;

    static constexpr std::uint32_t kDefaultInterval = 1000;
    // SCHED_FIFO priority of the timer thread: above ordinary threads, below the
    // audio servers and interrupt threads.
    static constexpr int kRealtimePriority = 10;

    // The owner and the dispatcher must outlive the timer.
    TickTimer(TickOwner& owner, TickDispatcher& dispatcher);
    ~TickTimer() override;

    TickTimer(const TickTimer&) = delete;
    TickTimer& operator=(const TickTimer&) = delete;

    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    // Milliseconds. A change restarts the period from the moment of the change.
    std::uint32_t interval() const { return interval_; }
    void setInterval(std::uint32_t interval) override;
    const TickHandler& handler() const { return handler_; }
    // Always restarts the timer, also for the same handler.
    void setHandler(TickHandler handler);

    // Milliseconds the timer thread waits for a tick: 0.93 x interval.
    std::uint32_t replyTimeout() const { return replyTimeout_; }
    // 0.93 x interval rounded to the nearest integer, halves to even (250 -> 232).
    static std::uint32_t replyTimeoutFor(std::uint32_t interval);

    // True while a period is running: enabled, with a handler and a nonzero interval,
    // and not ended by an overrun.
    bool running() const;

    // Monotonic nanoseconds at which the expiry now being handled was due (inside
    // the handler: the running tick's). Outputs that render audio place the tick's
    // messages at that time. 0 before the first tick.
    std::int64_t currentTickDueNs() const { return currentTickDueNs_; }

    // Where an exception escaping the handler is reported; the timer keeps firing.
    // Default: standard error.
    void setErrorReporter(ErrorReporter reporter);
    // Called after each tick with its times; unset by default.
    void setTickObserver(TickObserver observer);

private:
    friend class TimerRun;

    // Stops a running period, then starts one when enabled, with a handler and a
    // nonzero interval.
    void restart();
    // Called by TimerRun on the owner's thread.
    void runTick(TickRecord record);
    void overran(const TimerRun& run);

    TickOwner& owner_;
    TickDispatcher& dispatcher_;
    bool enabled_ = false;
    std::uint32_t interval_ = kDefaultInterval;
    std::uint32_t replyTimeout_ = replyTimeoutFor(kDefaultInterval);
    TickHandler handler_;
    ErrorReporter errorReporter_;
    TickObserver tickObserver_;
    std::int64_t currentTickDueNs_ = 0;
    std::shared_ptr<TimerRun> run_;  // the running period, if any
    // Lets queued tasks find out whether the timer still exists.
    std::shared_ptr<TickTimer*> self_;
};

}  // namespace velmora
