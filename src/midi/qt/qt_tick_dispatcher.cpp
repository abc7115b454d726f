#include "midi/qt/qt_tick_dispatcher.h"

#include <QMetaObject>
#include <utility>

namespace velmora {

void QtTickDispatcher::post(std::function<void()> task) {
    // QMetaObject::invokeMethod with a context object is thread-safe; the queued
    // call runs in the target's thread, also inside nested event loops.
    QMetaObject::invokeMethod(target_, std::move(task), Qt::QueuedConnection);
}

}  // namespace velmora
