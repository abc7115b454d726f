#include "cli/interrupt_signals.h"

namespace velmora::cli {

namespace {

std::atomic<bool> interruptedFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void interruptWork(int) { interruptedFlag.store(true); }

}  // namespace

InterruptSignals::InterruptSignals() {
    interruptedFlag.store(false);
    struct sigaction action {};
    action.sa_handler = interruptWork;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kCancelling.size(); ++i) sigaction(kCancelling[i], &action, &old_[i]);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &oldFileSize_);
}

InterruptSignals::~InterruptSignals() {
    for (std::size_t i = 0; i < kCancelling.size(); ++i) sigaction(kCancelling[i], &old_[i], nullptr);
    sigaction(SIGXFSZ, &oldFileSize_, nullptr);
}

const std::atomic<bool>& InterruptSignals::interrupted() { return interruptedFlag; }

}  // namespace velmora::cli
