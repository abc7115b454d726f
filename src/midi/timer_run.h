#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "midi/tick_dispatcher.h"
#include "midi/tick_record.h"

namespace velmora {

class TickTimer;

// One running period of a TickTimer: the thread that sleeps to each expiry and
// hands it to the owner's thread. Every restart makes a new run, so a run's
// interval and reply timeout never change while its thread reads them.
//
// Threads: the owner's thread creates the run, stops it, and runs the posted
// tick and overrun tasks; the run's own thread sleeps, posts and waits. They
// share only the fields under mutex_. The run outlives its thread: tasks still
// queued in the dispatcher hold it and find it stopped.
class TimerRun : public std::enable_shared_from_this<TimerRun> {
public:
    struct Settings {
        std::uint32_t intervalMs = 0;
        std::uint32_t replyTimeoutMs = 0;
        int realtimePriority = 0;  // SCHED_FIFO priority asked for; 0 asks for none
    };
    // Owner-thread handle to the timer, cleared by the timer's destructor.
    using TimerLink = std::shared_ptr<TickTimer*>;

    // Owner's thread. The first expiry is due one interval from now.
    static std::shared_ptr<TimerRun> start(const Settings& settings, TickDispatcher& dispatcher,
                                           TimerLink timer);
    ~TimerRun();

    // Owner's thread. Wakes the thread from any wait and joins it; a tick that was
    // handed over and not yet started will not run. Safe inside a tick of this run.
    void stop();
    // False once stopped or after an overrun ended the run.
    bool active() const;

    TimerRun(const TimerRun&) = delete;
    TimerRun& operator=(const TimerRun&) = delete;

private:
    enum class TickState { None, Pending, Running, Done, Cancelled };

    TimerRun(const Settings& settings, TickDispatcher& dispatcher, TimerLink timer);
    void threadMain();
    // Both on the owner's thread, posted by threadMain.
    void runTick(TickRecord record);
    void deliverOverrun();

    // Fixed before the thread starts.
    const Settings settings_;
    TickDispatcher& dispatcher_;
    const TimerLink timer_;  // dereferenced on the owner's thread only
    std::int64_t startNs_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable changed_;   // stop, or the handed-over tick finished
    bool ended_ = false;                // guarded by mutex_
    std::uint64_t handedSequence_ = 0;  // guarded by mutex_
    TickState tick_ = TickState::None;  // guarded by mutex_

    std::thread thread_;  // owner's thread only
};

}  // namespace velmora
