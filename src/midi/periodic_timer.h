#pragma once

#include <cstdint>

namespace velmora {

// A timer that fires every interval while it is enabled: the performance's
// tick timer (its interval is the tempo), the end wait (3000 ms after the end
// of the text) and the repeat gap (1500 ms). Whoever owns one switches it;
// what an expiry runs is set where the timer is made.
class PeriodicTimer {
public:
    virtual ~PeriodicTimer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    // Milliseconds.
    virtual void setInterval(std::uint32_t milliseconds) = 0;
};

}  // namespace velmora
