#pragma once

#include <array>
#include <atomic>
#include <csignal>

namespace velmora::cli {

// While it lives, Ctrl-C, SIGTERM and SIGHUP set interrupted() instead of
// ending the process, so that long work can stop and remove its temporary
// files; a file-size limit makes a write fail instead of killing the process.
class InterruptSignals {
public:
    InterruptSignals();
    ~InterruptSignals();
    InterruptSignals(const InterruptSignals&) = delete;
    InterruptSignals& operator=(const InterruptSignals&) = delete;

    // Set by the signals; cleared when an InterruptSignals is made.
    static const std::atomic<bool>& interrupted();

private:
    static constexpr std::array<int, 3> kCancelling = {SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, 3> old_{};
    struct sigaction oldFileSize_ {};
};

}  // namespace velmora::cli
