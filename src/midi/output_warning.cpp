#include "midi/output_warning.h"

namespace velmora {

std::string OutputWarning::what() const {
    const std::string because = reason.empty() ? std::string() : " (" + reason + ")";
    switch (kind) {
        case Kind::StalledAudio:
            return "the audio output stopped taking messages (its driver " + subject +
                   " has stalled or died); notes are being dropped";
        case Kind::PortSendFailed:
            return "the MIDI port " + subject + " stopped taking messages" + because +
                   "; notes are being dropped";
        case Kind::PortGone:
            return "the MIDI port " + subject + " is no longer there; notes are being dropped";
        case Kind::CaptureNotWritten:
            return "writing the capture file " + subject + " failed" + because;
    }
    return {};
}

std::string OutputWarning::text() const {
    switch (kind) {
        case Kind::StalledAudio:
            return what() + ". Restart the sound server or choose another output with --output";
        case Kind::PortSendFailed:
        case Kind::PortGone:
            return what() +
                   ". Check the synthesizer and its connection, or choose another output with --output";
        case Kind::CaptureNotWritten:
            return what();
    }
    return what();
}

}  // namespace velmora
