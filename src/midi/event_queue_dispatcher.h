#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "midi/tick_dispatcher.h"

namespace velmora {

// A dispatcher for programs without a GUI event loop (the command-line player,
// tests, benchmarks): any thread posts, the owner's thread drains the queue.
class EventQueueDispatcher final : public TickDispatcher {
public:
    // Any thread.
    void post(std::function<void()> task) override;

    // The owner's thread only. Runs the tasks queued before the call, in order;
    // tasks they post wait for the next call. Returns how many ran.
    std::size_t runPending();
    // Waits until a task is queued or the timeout passes, then runs the pending
    // tasks. Returns how many ran.
    std::size_t waitAndRun(std::chrono::nanoseconds timeout);
    // Drains tasks as they come until done() holds or the timeout passes.
    // Returns done() as last seen.
    bool runUntil(const std::function<bool()>& done, std::chrono::nanoseconds timeout);

    std::size_t pendingCount() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<std::function<void()>> tasks_;  // guarded by mutex_
};

}  // namespace velmora
