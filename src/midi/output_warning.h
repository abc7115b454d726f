#pragma once

#include <string>

namespace velmora {

// A fault an output found while the performance ran: sound is being lost.
// The command line prints text(); the window words it in its own language
// from the kind and the subject.
struct OutputWarning {
    enum class Kind {
        StalledAudio,       // the built-in synthesizer's audio stream stopped; subject: its driver
        PortSendFailed,     // a MIDI port refused a message; subject: the port, reason: the system's words
        PortGone,           // a MIDI port went away (unplugged, its program ended); subject: the port
        CaptureNotWritten,  // the capture file could not be written; subject: its path, reason: why
    };

    Kind kind = Kind::StalledAudio;
    std::string subject;
    std::string reason;

    // What happened, as one sentence without advice.
    std::string what() const;
    // what() and what to do about it on the command line.
    std::string text() const;

    bool operator==(const OutputWarning&) const = default;
};

}  // namespace velmora
