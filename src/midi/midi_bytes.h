#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora::midi_bytes {

// Status bytes of channel messages (the channel is added to them).
constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kKeyPressure = 0xA0;
constexpr std::uint8_t kControlChange = 0xB0;
constexpr std::uint8_t kProgramChange = 0xC0;
constexpr std::uint8_t kChannelPressure = 0xD0;
constexpr std::uint8_t kPitchBend = 0xE0;
constexpr int kChannelCount = 16;

// System status bytes.
constexpr std::uint8_t kSystemExclusive = 0xF0;
constexpr std::uint8_t kEndOfExclusive = 0xF7;

// Controller numbers.
constexpr std::uint8_t kPan = 10;
constexpr std::uint8_t kReverbDepth = 91;
constexpr std::uint8_t kAllSoundOff = 120;
constexpr std::uint8_t kAllNotesOff = 123;
constexpr std::uint8_t kOmniOff = 124;
constexpr std::uint8_t kPolyOn = 127;  // the last of the mode controllers 124..127

// Omni off/on, mono on and poly on: they change which channels a synthesizer
// listens on and how many notes each plays.
constexpr bool isModeController(std::uint8_t controller) {
    return controller >= kOmniOff && controller <= kPolyOn;
}

constexpr std::uint8_t kPanCentre = 64;

constexpr bool isStatusByte(std::uint8_t byte) { return byte >= 0x80; }

// The message kind of a channel status byte, without its channel.
constexpr std::uint8_t kindOf(std::uint8_t status) { return static_cast<std::uint8_t>(status & 0xF0); }

// The length in bytes, status included, of the short message that starts with
// `status`: 2 or 3 for channel messages, 1 to 3 for system common and real-time
// messages; 0 for a data byte and for system exclusive, which is no short message.
constexpr std::size_t shortMessageLength(std::uint8_t status) {
    if (!isStatusByte(status)) return 0;
    if (status < kSystemExclusive) {
        const std::uint8_t kind = kindOf(status);
        return kind == kProgramChange || kind == kChannelPressure ? 2 : 3;
    }
    switch (status) {
        case 0xF1:  // time code quarter frame
        case 0xF3:  // song select
            return 2;
        case 0xF2:  // song position
            return 3;
        case kSystemExclusive:
        case kEndOfExclusive:
            return 0;
        default:
            return 1;
    }
}

}  // namespace velmora::midi_bytes
