#pragma once

#include <array>
#include <atomic>
#include <cstddef>

namespace velmora {

// A fixed-size queue between one producer thread and one consumer thread,
// without locks or allocation, so the audio thread never waits on the sender.
// The producer owns tail_, the consumer owns head_; each reads the other's
// index with acquire and publishes its own with release.
template <typename T, std::size_t Capacity>
class SpscRing {
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "capacity must be a power of two");

public:
    // Producer thread. False when the ring is full; the item is not queued.
    bool tryPush(const T& item) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == Capacity) return false;
        slots_[tail & (Capacity - 1)] = item;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Consumer thread: the oldest item, or nullptr when empty. Valid until pop().
    const T* front() const {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) return nullptr;
        return &slots_[head & (Capacity - 1)];
    }

    // Consumer thread: drops the item front() returned.
    void pop() { head_.store(head_.load(std::memory_order_relaxed) + 1, std::memory_order_release); }

private:
    std::array<T, Capacity> slots_{};
    alignas(64) std::atomic<std::size_t> head_{0};
    alignas(64) std::atomic<std::size_t> tail_{0};
};

}  // namespace velmora
