#include "ui/performance/qt_transport_timer.h"

namespace velmora {

QtTransportTimer::QtTransportTimer(std::function<void()> onTimer) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTimer));
}

void QtTransportTimer::setEnabled(bool enabled) {
    if (enabled == timer_.isActive()) return;
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

void QtTransportTimer::setInterval(std::uint32_t milliseconds) {
    timer_.setInterval(static_cast<int>(milliseconds));
}

}  // namespace velmora
