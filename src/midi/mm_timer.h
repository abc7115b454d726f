#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "midi/tick_dispatcher.h"
#include "midi/tick_record.h"

namespace velmora {

class TimerRun;

// A periodic timer whose OnTimer handler runs on the owner's thread, at most once
// at a time. A dedicated thread wakes at each expiry (the n-th due one interval x n
// after the (re)start, so there is no drift), hands it to the owner's thread through
// the dispatcher, and waits for the tick to finish at most the reply timeout (93 %
// of the interval). A tick that is late switches the timer off, and the owner then
// receives one overrun notice (kOverrunMessage, 0, kOverrunLParam); an expiry that
// had not started by then never runs.
//
// Threads: every member of this class belongs to the owner's thread, which is the
// thread the dispatcher runs tasks on; all calls come from it, also from inside
// the tick. The timer thread sees only its TimerRun. Any setter may be called
// from inside the handler (stop, restart, a new handler, even the destructor).
class TMMTimer {
public:
    using TimerEvent = std::function<void(TMMTimer& sender)>;
    using ErrorReporter = std::function<void(const std::string& message)>;
    using TickObserver = std::function<void(const TickRecord& record)>;

    static constexpr std::uint32_t kOverrunMessage = 0x806A;
    static constexpr std::intptr_t kOverrunLParam = 100;
    static constexpr std::uint32_t kDefaultInterval = 1000;
    // Whether a notice the owner received is the overrun notice.
    static bool isOverrunNotice(std::uint32_t message, std::intptr_t lParam) {
        return message == kOverrunMessage && lParam == kOverrunLParam;
    }
    // SCHED_FIFO priority of the timer thread: above ordinary threads, below the
    // audio servers and interrupt threads.
    static constexpr int kRealtimePriority = 10;

    // The owner and the dispatcher must outlive the timer.
    TMMTimer(TimerOwner& owner, TickDispatcher& dispatcher);
    virtual ~TMMTimer();

    TMMTimer(const TMMTimer&) = delete;
    TMMTimer& operator=(const TMMTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Milliseconds. A change restarts the period from the moment of the change.
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t interval);
    const TimerEvent& OnTimer() const { return onTimer_; }
    // Always restarts the timer, also for the same handler.
    void SetOnTimer(TimerEvent handler);

    // Milliseconds the timer thread waits for a tick: 0.93 x Interval.
    std::uint32_t ReplyTimeout() const { return replyTimeout_; }
    // 0.93 x interval rounded to the nearest integer, halves to even (250 -> 232).
    static std::uint32_t replyTimeoutFor(std::uint32_t interval);

    // True while a period is running: enabled, with a handler and a nonzero interval,
    // and not ended by an overrun.
    bool running() const;

    // Monotonic nanoseconds at which the expiry now being handled was due (inside
    // OnTimer: the running tick's). Outputs that render audio place the tick's
    // messages at that time. 0 before the first tick.
    std::int64_t currentTickDueNs() const { return currentTickDueNs_; }

    // Runs OnTimer, if assigned, with this timer as sender.
    virtual void FireTimer();

    // Where an exception escaping OnTimer is reported; the timer keeps firing.
    // Default: standard error.
    void setErrorReporter(ErrorReporter reporter);
    // Called after each tick with its times; unset by default.
    void setTickObserver(TickObserver observer);

private:
    friend class TimerRun;

    // Stops a running period, then starts one when enabled, with a handler and a
    // nonzero interval.
    void UpdateTimer();
    // Called by TimerRun on the owner's thread.
    void runTick(TickRecord record);
    void overrunNotice(const TimerRun& run);

    TimerOwner& owner_;
    TickDispatcher& dispatcher_;
    bool enabled_ = false;
    std::uint32_t interval_ = kDefaultInterval;
    std::uint32_t replyTimeout_ = replyTimeoutFor(kDefaultInterval);
    TimerEvent onTimer_;
    ErrorReporter errorReporter_;
    TickObserver tickObserver_;
    std::int64_t currentTickDueNs_ = 0;
    std::shared_ptr<TimerRun> run_;  // the running period, if any
    // Lets queued tasks find out whether the timer still exists.
    std::shared_ptr<TMMTimer*> self_;
};

}  // namespace velmora
