#include "ui/window/session_end.h"

#include <fcntl.h>
#include <unistd.h>

#include "documents/process_signals.h"

namespace velmora {

SessionEnd::SessionEnd(std::function<void(int)> ending, QObject* parent)
    : QObject(parent), ending_(std::move(ending)) {
    if (::pipe2(pipeEnds_, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        unsigned char number = 0;
        while (::read(pipeEnds_[0], &number, 1) == 1) ending_(number);
    });
    ProcessSignals::setEndingNotice(pipeEnds_[1]);
}

SessionEnd::~SessionEnd() {
    if (!notifier_) return;
    ProcessSignals::setEndingNotice(-1);
    notifier_.reset();
    ::close(pipeEnds_[0]);
    ::close(pipeEnds_[1]);
}

}  // namespace velmora
