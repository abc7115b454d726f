#pragma once

#include <QTimer>
#include <functional>

#include "engine/transport.h"

namespace velmora {

// A window timer for the transport (the end wait, the repeat gap): a QTimer that calls its
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
