#include "midi/mm_timer.h"

#include <exception>
#include <iostream>
#include <utility>

#include "midi/monotonic_clock.h"
#include "midi/timer_run.h"

namespace velmora {

namespace {

void reportToStandardError(const std::string& message) { std::cerr << "Velmora: " << message << ".\n"; }

}  // namespace

TMMTimer::TMMTimer(TimerOwner& owner, TickDispatcher& dispatcher)
    : owner_(owner),
      dispatcher_(dispatcher),
      errorReporter_(reportToStandardError),
      self_(std::make_shared<TMMTimer*>(this)) {}

TMMTimer::~TMMTimer() {
    SetEnabled(false);
    // Ticks and notices still queued in the dispatcher now find no timer.
    *self_ = nullptr;
}

void TMMTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TMMTimer::SetInterval(std::uint32_t interval) {
    if (interval == interval_) return;
    interval_ = interval;
    replyTimeout_ = replyTimeoutFor(interval);
    UpdateTimer();
}

void TMMTimer::SetOnTimer(TimerEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

std::uint32_t TMMTimer::replyTimeoutFor(std::uint32_t interval) {
    // Exact decimal arithmetic: 0.93 has no exact binary form, and 250 x 0.93 in
    // double lands just above the half and would round to 233.
    const std::uint64_t hundredths = std::uint64_t{interval} * 93;
    std::uint64_t whole = hundredths / 100;
    const std::uint64_t rest = hundredths % 100;
    if (rest > 50 || (rest == 50 && whole % 2 == 1)) ++whole;
    return static_cast<std::uint32_t>(whole);
}

bool TMMTimer::running() const { return run_ && run_->active(); }

void TMMTimer::FireTimer() {
    // A copy: the handler may replace OnTimer while it runs, which would destroy
    // the function object being executed.
    const TimerEvent handler = onTimer_;
    if (handler) handler(*this);
}

void TMMTimer::setErrorReporter(ErrorReporter reporter) {
    errorReporter_ = reporter ? std::move(reporter) : ErrorReporter(reportToStandardError);
}

void TMMTimer::setTickObserver(TickObserver observer) { tickObserver_ = std::move(observer); }

void TMMTimer::UpdateTimer() {
    if (run_) {
        run_->stop();
        run_.reset();
    }
    if (interval_ != 0 && enabled_ && onTimer_) {
        run_ = TimerRun::start({interval_, replyTimeout_, kRealtimePriority}, dispatcher_, self_);
    }
}

void TMMTimer::runTick(TickRecord record) {
    // Copies taken first: once FireTimer has returned, the handler may have
    // destroyed this timer, so nothing after it touches a member.
    const ErrorReporter reporter = errorReporter_;
    const TickObserver observer = tickObserver_;
    currentTickDueNs_ = record.dueNs;
    record.startNs = monotonicNowNs();
    try {
        FireTimer();
    } catch (const std::exception& error) {
        reporter(error.what());
    } catch (...) {
        reporter("unknown error in the timer handler");
    }
    record.finishNs = monotonicNowNs();
    if (observer) observer(record);
}

void TMMTimer::overrunNotice(const TimerRun& run) {
    // The owner may already have stopped or restarted the timer since the overrun;
    // then there is nothing left to switch off, but the notice still goes out.
    if (run_.get() == &run) {
        enabled_ = false;
        UpdateTimer();
    }
    owner_.timerNotice(kOverrunMessage, 0, kOverrunLParam);
}

}  // namespace velmora
