#pragma once

#include "engine/transport.h"
#include "midi/mm_timer.h"

namespace velmora {

// The multimedia timer as the transport's tick timer.
class TickTimerAdapter final : public TransportTimer {
public:
    explicit TickTimerAdapter(TMMTimer& timer) : timer_(timer) {}
    void setEnabled(bool enabled) override { timer_.SetEnabled(enabled); }
    bool enabled() const override { return timer_.Enabled(); }
    void setInterval(std::uint32_t milliseconds) override { timer_.SetInterval(milliseconds); }

private:
    TMMTimer& timer_;
};

// A timer whose expiries someone else drives: the command-line loop polls
// dueIn(), tests fire it by hand.
class ManualTimer final : public TransportTimer {
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

}  // namespace velmora
