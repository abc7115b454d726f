#pragma once

#include <functional>

namespace velmora {

// Carries work from the timer thread to the thread that owns a TickTimer (the
// GUI thread in the program). post() is called from the timer thread; the task
// must run later, on the owner's thread, never inline inside post().
class TickDispatcher {
public:
    virtual ~TickDispatcher() = default;
    virtual void post(std::function<void()> task) = 0;
};

}  // namespace velmora
