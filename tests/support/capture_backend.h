#pragma once

#include <cstdint>
#include <vector>

#include "midi/midi_backend.h"

namespace velmora::testing {

struct CapturedMessage {
    std::uint64_t tick;
    std::uint8_t status;
    std::uint8_t data1;
    std::uint8_t data2;

    bool operator==(const CapturedMessage&) const = default;
};

// Records every short message with the tick it was sent in.
class CaptureBackend final : public MidiBackend {
public:
    bool open() override {
        ++openCount;
        isOpen = true;
        return true;
    }
    void close() override {
        ++closeCount;
        isOpen = false;
    }
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        messages.push_back({tick_, status, data1, data2});
    }
    void setDeviceVolume(std::uint32_t volume) override { deviceVolume = volume; }
    void beginTick(std::uint64_t tick) override { tick_ = tick; }

    std::vector<CapturedMessage> messages;
    int openCount = 0;
    int closeCount = 0;
    bool isOpen = false;
    std::uint32_t deviceVolume = 0;

private:
    std::uint64_t tick_ = 0;
};

}  // namespace velmora::testing
