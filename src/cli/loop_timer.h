#pragma once

#include <chrono>

#include "midi/periodic_timer.h"

namespace velmora::cli {

// A window-style periodic timer for the player's loop: while enabled it is due
// every interval from the moment it was switched on; its handler switches it
// off when it should fire only once.
class LoopTimer final : public PeriodicTimer {
public:
    using Clock = std::chrono::steady_clock;

    void setEnabled(bool enabled) override {
        if (enabled && !enabled_) next_ = Clock::now() + period();
        enabled_ = enabled;
    }
    bool enabled() const override { return enabled_; }
    void setInterval(std::uint32_t milliseconds) override { intervalMs_ = milliseconds; }

    // True once per elapsed period while enabled.
    bool takeExpiry(Clock::time_point now) {
        if (!enabled_ || now < next_) return false;
        next_ += period();
        return true;
    }
    Clock::duration untilDue(Clock::time_point now) const {
        return enabled_ ? std::max(Clock::duration::zero(), next_ - now) : Clock::duration::max();
    }

private:
    Clock::duration period() const { return std::chrono::milliseconds(intervalMs_); }

    bool enabled_ = false;
    std::uint32_t intervalMs_ = 1000;
    Clock::time_point next_{};
};

}  // namespace velmora::cli
