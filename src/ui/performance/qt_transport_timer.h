#pragma once

#include <QTimer>
#include <functional>

#include "engine/transport.h"

namespace velmora {

// A window timer (Timer1, Timer2) for the transport: a QTimer that calls its
// handler on the GUI thread at each expiry while enabled.
class QtTransportTimer final : public TransportTimer {
public:
    explicit QtTransportTimer(std::function<void()> onTimer);

    void setEnabled(bool enabled) override;
    bool enabled() const override { return timer_.isActive(); }
    void setInterval(std::uint32_t milliseconds) override;

private:
    QTimer timer_;
};

}  // namespace velmora
