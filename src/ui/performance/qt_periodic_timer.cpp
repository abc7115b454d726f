#include "ui/performance/qt_periodic_timer.h"

namespace velmora {

QtPeriodicTimer::QtPeriodicTimer(std::function<void()> onTimer) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTimer));
}

void QtPeriodicTimer::setEnabled(bool enabled) {
    if (enabled == timer_.isActive()) return;
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

void QtPeriodicTimer::setInterval(std::uint32_t milliseconds) {
    timer_.setInterval(static_cast<int>(milliseconds));
}

}  // namespace velmora
