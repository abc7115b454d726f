#pragma once

#include <QObject>
#include <QTimer>
#include <cstddef>
#include <cstdint>

#include "midi/midi_out_port.h"

namespace velmora {

// The output dialog's test sound: a scale of C major, its lower half on the
// backing channel and its upper half on the melody channel, each with its
// instrument, so that the user hears at once whether sound comes and whether
// both channels sound. It opens the port and closes it when done or stopped.
class OutputTestSound final : public QObject {
    Q_OBJECT

public:
    static constexpr int kStepMs = 170;

    explicit OutputTestSound(MidiOutPort& port, QObject* parent = nullptr);
    ~OutputTestSound() override;

    // Opens the port and starts the scale from its first note. Whether sound
    // comes is the output's to say: the port drops what it cannot send.
    void start(std::uint8_t backingProgram, std::uint8_t melodyProgram);
    // Ends the sounding note and hands the port back.
    void stop();
    bool playing() const { return timer_.isActive(); }

private:
    void step();

    MidiOutPort& port_;
    QTimer timer_;
    std::size_t next_ = 0;
    bool opened_ = false;
};

}  // namespace velmora
