#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace velmora {

class SoundOutput;

// Looks for the output's warnings (sound being lost: a stalled audio stream, a
// port that refuses messages or went away, a capture file that cannot be
// written) a few times a second, and hands each to `show` in the window's
// language, once.
class OutputWarningWatch final : public QObject {
    Q_OBJECT

public:
    static constexpr int kCheckMs = 250;

    OutputWarningWatch(SoundOutput& output, std::function<void(const QString&)> show, QObject* parent);
    // Also at once, after a stop has closed the output.
    void check();

private:
    SoundOutput& output_;
    std::function<void(const QString&)> show_;
    QTimer timer_;
};

}  // namespace velmora
