#pragma once

#include <cstdint>
#include <functional>

namespace velmora {

// Carries work from the timer thread to the thread that owns a TMMTimer (the
// GUI thread in the program). post() is called from the timer thread; the task
// must run later, on the owner's thread, never inline inside post().
class TickDispatcher {
public:
    virtual ~TickDispatcher() = default;
    virtual void post(std::function<void()> task) = 0;
};

// What a TMMTimer tells the object that owns it. Called on the owner's thread.
class TimerOwner {
public:
    virtual ~TimerOwner() = default;
    virtual void timerNotice(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace velmora
