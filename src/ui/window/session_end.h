#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace velmora {

// Turns the signals that end a desktop session (SIGTERM at logout or
// shutdown, SIGHUP when the terminal goes, SIGINT from Ctrl+C) into a call on
// the event loop, so that the window can end as a close does instead of
// dying with its text. One per process, after ProcessSignals::install().
class SessionEnd final : public QObject {
    Q_OBJECT

public:
    explicit SessionEnd(std::function<void(int signal)> ending, QObject* parent = nullptr);
    ~SessionEnd() override;

private:
    std::function<void(int)> ending_;
    std::unique_ptr<QSocketNotifier> notifier_;
    int pipeEnds_[2] = {-1, -1};
};

}  // namespace velmora
