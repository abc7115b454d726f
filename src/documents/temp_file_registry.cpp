#include "documents/temp_file_registry.h"

#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace velmora {
namespace {

enum SlotState : int { kFree = 0, kFilling = 1, kLive = 2 };

struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};

Slot slots[TempFileRegistry::kSlots];

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slot states");

}  // namespace

int TempFileRegistry::add(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX) return -1;
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

void TempFileRegistry::removeAllFromSignalHandler() {
    for (Slot& slot : slots) {
        if (slot.state.load(std::memory_order_acquire) == kLive) ::unlink(slot.path);
    }
}

}  // namespace velmora
