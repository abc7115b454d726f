#include "midi/tick_timer.h"

#include <exception>
#include <iostream>
#include <utility>

#include "midi/monotonic_clock.h"
#include "midi/timer_run.h"

namespace velmora {

namespace {

void reportToStandardError(const std::string& message) { std::cerr << "Velmora: " << message << ".\n"; }

}  // namespace

TickTimer::TickTimer(TickOwner& owner, TickDispatcher& dispatcher)
    : owner_(owner),
      dispatcher_(dispatcher),
      errorReporter_(reportToStandardError),
      self_(std::make_shared<TickTimer*>(this)) {}

TickTimer::~TickTimer() {
    setEnabled(false);
    // Ticks and overruns still queued in the dispatcher now find no timer.
    *self_ = nullptr;
}

void TickTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    restart();
}

void TickTimer::setInterval(std::uint32_t interval) {
    if (interval == interval_) return;
    interval_ = interval;
    replyTimeout_ = replyTimeoutFor(interval);
    restart();
}

void TickTimer::setHandler(TickHandler handler) {
    handler_ = std::move(handler);
    restart();
}

std::uint32_t TickTimer::replyTimeoutFor(std::uint32_t interval) {
    // Exact decimal arithmetic: 0.93 has no exact binary form, and 250 x 0.93 in
    // double lands just above the half and would round to 233.
    const std::uint64_t hundredths = std::uint64_t{interval} * 93;
    std::uint64_t whole = hundredths / 100;
    const std::uint64_t rest = hundredths % 100;
    if (rest > 50 || (rest == 50 && whole % 2 == 1)) ++whole;
    return static_cast<std::uint32_t>(whole);
}

bool TickTimer::running() const { return run_ && run_->active(); }

void TickTimer::setErrorReporter(ErrorReporter reporter) {
    errorReporter_ = reporter ? std::move(reporter) : ErrorReporter(reportToStandardError);
}

void TickTimer::setTickObserver(TickObserver observer) { tickObserver_ = std::move(observer); }

void TickTimer::restart() {
    if (run_) {
        run_->stop();
        run_.reset();
    }
    if (interval_ != 0 && enabled_ && handler_) {
        run_ = TimerRun::start({interval_, replyTimeout_, kRealtimePriority}, dispatcher_, self_);
    }
}

void TickTimer::runTick(TickRecord record) {
    // Copies taken first: once the handler has returned, it may have destroyed
    // this timer, so nothing after it touches a member. The handler is copied
    // too: it may replace itself while it runs, which would destroy the
    // function object being executed.
    const ErrorReporter reporter = errorReporter_;
    const TickObserver observer = tickObserver_;
    const TickHandler handler = handler_;
    currentTickDueNs_ = record.dueNs;
    record.startNs = monotonicNowNs();
    try {
        if (handler) handler(*this);
    } catch (const std::exception& error) {
        reporter(error.what());
    } catch (...) {
        reporter("unknown error in the timer handler");
    }
    record.finishNs = monotonicNowNs();
    if (observer) observer(record);
}

void TickTimer::overran(const TimerRun& run) {
    // The owner may already have stopped or restarted the timer since the overrun;
    // then there is nothing left to switch off, but the owner still hears of it.
    if (run_.get() == &run) {
        enabled_ = false;
        restart();
    }
    owner_.tickOverran();
}

}  // namespace velmora
