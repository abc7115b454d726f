#pragma once

#include <QTimer>
#include <functional>

#include "midi/periodic_timer.h"

namespace velmora {

// A periodic timer of the GUI thread (the end wait and the repeat gap): a
// QTimer that calls its handler in the event loop at each expiry while enabled.
class QtPeriodicTimer final : public PeriodicTimer {
public:
    explicit QtPeriodicTimer(std::function<void()> onTimer);

    void setEnabled(bool enabled) override;
    bool enabled() const override { return timer_.isActive(); }
    void setInterval(std::uint32_t milliseconds) override;

private:
    QTimer timer_;
};

}  // namespace velmora
