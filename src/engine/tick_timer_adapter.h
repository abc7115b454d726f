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

}  // namespace velmora
