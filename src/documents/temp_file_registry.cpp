#include "documents/temp_file_registry.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace velmora {
namespace {

enum SlotState : int { kFree = 0, kFilling = 1, kLive = 2 };

struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};

Slot slots[TempFileRegistry::kSlots];

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ};
constexpr int kSignalCount = sizeof kCleanupSignals / sizeof kCleanupSignals[0];
struct sigaction previousActions[kSignalCount];
std::once_flag installed;

static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the slot states");

int signalIndex(int number) {
    for (int i = 0; i < kSignalCount; ++i) {
        if (kCleanupSignals[i] == number) return i;
    }
    return -1;
}

extern "C" void removeTempFilesOnSignal(int number, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    for (Slot& slot : slots) {
        if (slot.state.load(std::memory_order_acquire) == kLive) ::unlink(slot.path);
    }
    const int index = signalIndex(number);
    const struct sigaction& previous = previousActions[index];
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction != nullptr) previous.sa_sigaction(number, info, context);
    } else if (previous.sa_handler == SIG_DFL) {
        // Take the default action: it is raised again once this handler returns.
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

void installHandlers() {
    for (int i = 0; i < kSignalCount; ++i) {
        struct sigaction action {};
        action.sa_sigaction = removeTempFilesOnSignal;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (int number : kCleanupSignals) sigaddset(&action.sa_mask, number);
        ::sigaction(kCleanupSignals[i], nullptr, &previousActions[i]);
        // A signal the process ignores stays ignored (a nohup'ed run keeps going).
        if (!(previousActions[i].sa_flags & SA_SIGINFO) && previousActions[i].sa_handler == SIG_IGN) continue;
        ::sigaction(kCleanupSignals[i], &action, nullptr);
    }
}

}  // namespace

int TempFileRegistry::add(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX) return -1;
    std::call_once(installed, installHandlers);
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (!slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(slots[i].path, path, length + 1);
        slots[i].state.store(kLive, std::memory_order_release);
        return i;
    }
    return -1;
}

void TempFileRegistry::remove(int slot) {
    if (slot >= 0 && slot < kSlots) slots[slot].state.store(kFree, std::memory_order_release);
}

}  // namespace velmora
