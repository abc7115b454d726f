#include "sound/port_backend.h"

#include <RtMidi.h>
#include <unistd.h>

#include <array>

#include "midi/midi_bytes.h"
#include "sound/jack_environment.h"

namespace velmora {

namespace {

constexpr const char* kClientName = "Velmora";
// How often a connected port is looked for in the system's list.
constexpr auto kPresenceCheckEvery = std::chrono::milliseconds(500);

struct PortApi {
    RtMidi::Api api;
    const char* name;
};
constexpr std::array<PortApi, 2> kPortApis = {{{RtMidi::LINUX_ALSA, "ALSA"}, {RtMidi::UNIX_JACK, "JACK"}}};

// RtMidi reports warnings and errors through this instead of printing or throwing.
void keepRtMidiError(RtMidiError::Type /*type*/, const std::string& text, void* data) {
    if (data) *static_cast<std::string*>(data) = text;
}

// Whether the API can work here; asked first because RtMidi and the
// libraries below it print to stderr when the ALSA sequencer device is
// missing (containers) or no JACK server runs.
bool apiUsable(RtMidi::Api api) {
    if (api == RtMidi::LINUX_ALSA) return ::access("/dev/snd/seq", R_OK | W_OK) == 0;
    return jackServerRunning();
}

// An output client of one API, or null when the API is not usable here.
std::unique_ptr<RtMidiOut> makeClient(RtMidi::Api api, std::string* errorSink) {
    if (!apiUsable(api)) return nullptr;
    try {
        auto out = std::make_unique<RtMidiOut>(api, kClientName);
        out->setErrorCallback(keepRtMidiError, errorSink);
        return out;
    } catch (const RtMidiError& error) {
        if (errorSink) *errorSink = error.getMessage();
        return nullptr;
    }
}

}  // namespace

std::vector<MidiPortInfo> listMidiPorts() {
    std::vector<MidiPortInfo> ports;
    for (const PortApi& api : kPortApis) {
        std::string ignored;
        auto client = makeClient(api.api, &ignored);
        if (!client) continue;
        const unsigned count = client->getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            const std::string name = client->getPortName(i);
            if (!name.empty()) ports.push_back({name, api.name});
        }
    }
    return ports;
}

PortBackend::PortBackend(std::string nameFragment) : nameFragment_(std::move(nameFragment)) {}

PortBackend::~PortBackend() = default;

bool PortBackend::open() {
    close();
    error_.clear();
    std::string seen;
    for (const PortApi& api : kPortApis) {
        auto client = makeClient(api.api, &rtMidiMessage_);
        if (!client) continue;
        const unsigned count = client->getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            const std::string name = client->getPortName(i);
            if (name.find(nameFragment_) == std::string::npos) {
                seen += (seen.empty() ? "" : ", ") + name;
                continue;
            }
            client->openPort(i, "out");
            if (!client->isPortOpen()) {
                error_ = "cannot connect to MIDI port " + name + ": " + rtMidiMessage_ +
                         "; choose another output with --output";
                return false;
            }
            out_ = std::move(client);
            portName_ = name;
            sendFailure_.clear();
            failureTold_ = false;
            return true;
        }
    }
    error_ = "no MIDI output port matches \"" + nameFragment_ + "\" (" +
             (seen.empty() ? std::string("no ports found") : "found: " + seen) +
             "); see --list-outputs and choose another output with --output";
    return false;
}

void PortBackend::close() {
    if (out_) out_->closePort();
    out_.reset();
    portName_.clear();
}

void PortBackend::sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!out_) return;
    const std::size_t length = midi_bytes::shortMessageLength(status);
    // A data byte above 127 would read as a status byte on the wire and garble what follows.
    if (length == 0 || (length > 1 && data1 > 0x7F) || (length > 2 && data2 > 0x7F)) return;
    const std::array<unsigned char, 3> bytes = {status, data1, data2};
    rtMidiMessage_.clear();
    out_->sendMessage(bytes.data(), length);
    if (!rtMidiMessage_.empty() && sendFailure_.empty()) sendFailure_ = rtMidiMessage_;
}

bool PortBackend::portVanished() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastLookedFor_ < kPresenceCheckEvery) return false;
    lastLookedFor_ = now;
    const unsigned count = out_->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        if (out_->getPortName(i) == portName_) return false;
    }
    return true;
}

std::optional<OutputWarning> PortBackend::takeWarning() {
    if (!out_ || failureTold_) return std::nullopt;
    if (!sendFailure_.empty()) {
        failureTold_ = true;
        return OutputWarning{OutputWarning::Kind::PortSendFailed, portName_, sendFailure_};
    }
    if (!portVanished()) return std::nullopt;
    failureTold_ = true;
    return OutputWarning{OutputWarning::Kind::PortGone, portName_, {}};
}

}  // namespace velmora
