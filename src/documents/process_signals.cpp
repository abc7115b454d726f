#include "documents/process_signals.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "documents/temp_file_registry.h"

namespace velmora {

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};
constexpr int kSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];
struct sigaction previousActions[kSignalCount];

std::atomic<bool> installed{false};
std::atomic<int> interruptibleDepth{0};
std::atomic<bool> interruptedFlag{false};
std::atomic<void (*)()> lastWordsFunction{nullptr};
std::atomic<int> endingNoticeFd{-1};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
                  std::atomic<void (*)()>::is_always_lock_free,
              "read inside a signal handler");

int signalIndex(int number) {
    for (int i = 0; i < kSignalCount; ++i) {
        if (kEndingSignals[i] == number) return i;
    }
    return -1;
}

extern "C" void onEndingSignal(int number, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    const int noticeFd = endingNoticeFd.load();
    if (noticeFd >= 0 && (number == SIGINT || number == SIGTERM || number == SIGHUP)) {
        const unsigned char byte = static_cast<unsigned char>(number);
        [[maybe_unused]] const ssize_t written = ::write(noticeFd, &byte, 1);
        errno = savedErrno;
        return;
    }
    if (number != SIGPIPE && interruptibleDepth.load() > 0) {
        interruptedFlag.store(true);
        errno = savedErrno;
        return;
    }
    TempFileRegistry::removeAllFromSignalHandler();
    if (void (*lastWords)() = lastWordsFunction.load()) lastWords();
    const struct sigaction& previous = previousActions[signalIndex(number)];
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction != nullptr) previous.sa_sigaction(number, info, context);
    } else if (previous.sa_handler == SIG_DFL) {
        // The default action: the signal, blocked while this handler runs, is
        // delivered again once it returns.
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        ::sigaction(number, &fallback, nullptr);
        ::raise(number);
    } else if (previous.sa_handler != SIG_IGN) {
        previous.sa_handler(number);
    }
    errno = savedErrno;
}

}  // namespace

void ProcessSignals::install() {
    if (installed.exchange(true)) return;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
    for (int i = 0; i < kSignalCount; ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &previousActions[i]);
        if (!(previousActions[i].sa_flags & SA_SIGINFO) && previousActions[i].sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_sigaction = onEndingSignal;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (int number : kEndingSignals) sigaddset(&action.sa_mask, number);
        ::sigaction(kEndingSignals[i], &action, nullptr);
    }
}

ProcessSignals::Interruptible::Interruptible() {
    interruptedFlag.store(false);
    interruptibleDepth.fetch_add(1);
}

ProcessSignals::Interruptible::~Interruptible() { interruptibleDepth.fetch_sub(1); }

const std::atomic<bool>& ProcessSignals::interrupted() { return interruptedFlag; }

void ProcessSignals::setLastWords(void (*lastWords)()) { lastWordsFunction.store(lastWords); }

void ProcessSignals::setEndingNotice(int fd) { endingNoticeFd.store(fd); }

}  // namespace velmora
