#include "midi/event_queue_dispatcher.h"

#include <utility>

namespace velmora {

void EventQueueDispatcher::post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    queued_.notify_one();
}

std::size_t EventQueueDispatcher::runPending() {
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(tasks_);
    }
    // Run without the lock: a task may post, and the timer thread must never
    // wait for a tick to release the queue.
    for (auto& task : batch) task();
    return batch.size();
}

std::size_t EventQueueDispatcher::waitAndRun(std::chrono::nanoseconds timeout) {
    {
        std::unique_lock lock(mutex_);
        queued_.wait_for(lock, timeout, [this] { return !tasks_.empty(); });
    }
    return runPending();
}

bool EventQueueDispatcher::runUntil(const std::function<bool()>& done, std::chrono::nanoseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return done();
        waitAndRun(deadline - now);
    }
    return true;
}

std::size_t EventQueueDispatcher::pendingCount() const {
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

}  // namespace velmora
