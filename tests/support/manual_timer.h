#pragma once

#include <cstdint>

#include "midi/periodic_timer.h"

namespace velmora::testing {

// A periodic timer that tests fire by hand.
class ManualTimer final : public PeriodicTimer {
public:
    void setEnabled(bool enabled) override {
        if (enabled && !enabled_) ++starts;
        enabled_ = enabled;
    }
    bool enabled() const override { return enabled_; }
    void setInterval(std::uint32_t milliseconds) override { interval = milliseconds; }

    std::uint32_t interval = 0;
    int starts = 0;  // how often it was switched on

private:
    bool enabled_ = false;
};

}  // namespace velmora::testing
