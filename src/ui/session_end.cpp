#include "ui/session_end.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace velmora {

namespace {

constexpr std::array<int, 3> kEndingSignals = {SIGTERM, SIGHUP, SIGINT};
int pipeEnds[2] = {-1, -1};
std::array<struct sigaction, kEndingSignals.size()> previousActions{};

extern "C" void noteEndingSignal(int number) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

SessionEnd::SessionEnd(std::function<void(int)> ending, QObject* parent)
    : QObject(parent), ending_(std::move(ending)) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        while (::read(pipeEnds[0], &byte, 1) == 1) ending_(byte);
    });
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &previousActions[i]);
        // A hang-up ignored at start (nohup) stays ignored.
        if (!(previousActions[i].sa_flags & SA_SIGINFO) && previousActions[i].sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = noteEndingSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(kEndingSignals[i], &action, nullptr);
    }
}

SessionEnd::~SessionEnd() {
    if (!notifier_) return;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) ::sigaction(kEndingSignals[i], &previousActions[i], nullptr);
    notifier_.reset();
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

}  // namespace velmora
