#pragma once

#include <QObject>

#include "midi/tick_dispatcher.h"

namespace velmora {

// Runs the timer's tasks in the event loop of a QObject's thread (the GUI thread
// for the main window), as queued calls. The target must outlive every timer that
// posts through this dispatcher; calls still queued when it is destroyed are
// dropped by Qt.
class QtTickDispatcher final : public TickDispatcher {
public:
    explicit QtTickDispatcher(QObject& target) : target_(&target) {}

    // Any thread.
    void post(std::function<void()> task) override;

private:
    QObject* target_;
};

}  // namespace velmora
