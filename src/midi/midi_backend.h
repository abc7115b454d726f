#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "midi/output_warning.h"

namespace velmora {

// Where MidiOutPort's bytes go: a synthesizer, an external port, a capture.
// Every call comes from the thread that runs the performance (the GUI thread),
// so an implementation needs no lock against its own callers.
class MidiBackend {
public:
    virtual ~MidiBackend() = default;

    // Connect to the output. Returns false when it cannot; the port then drops
    // messages silently and lastError() says why and how to fix it.
    virtual bool open() = 0;
    virtual void close() = 0;
    // Whether open() would work, before the performance: empty, or why not
    // (as lastError() says it). By default the output is opened and closed.
    virtual std::string check() {
        if (!open()) return lastError();
        close();
        return {};
    }
    virtual void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
    // Left and right device volume packed as in the Windows API; most outputs have none.
    virtual void setDeviceVolume(std::uint32_t /*volume*/) {}

    // Stamps the messages that follow with the tick they belong to (0: start-up
    // messages). Outputs that schedule or record by tick use it; others ignore it.
    virtual void beginTick(std::uint64_t /*tick*/) {}
    // The monotonic time (steady clock, ns) at which the current tick was due;
    // call it after beginTick. Outputs that render audio themselves place the
    // tick's messages at that time instead of whenever they arrive.
    virtual void setTickDueTime(std::int64_t /*dueNs*/) {}
    // The messages that follow belong to no tick (a key played by hand): the
    // output sounds them as soon as it can. The next beginTick ends this.
    virtual void beginUntimed() {}

    virtual std::string lastError() const { return {}; }
    // Where the sound goes, for the user: the sound server and its device, the
    // port, the file. Empty until an open() has found out.
    virtual std::string outputDescription() const { return {}; }
    // A fault found while sending (an output that stopped taking messages, a
    // file that could not be written), told once: nothing afterwards, and
    // while all is well.
    virtual std::optional<OutputWarning> takeWarning() { return std::nullopt; }
};

// The output that drops everything.
class NullBackend final : public MidiBackend {
public:
    bool open() override { return true; }
    void close() override {}
    void sendShortMessage(std::uint8_t, std::uint8_t, std::uint8_t) override {}
};

}  // namespace velmora
