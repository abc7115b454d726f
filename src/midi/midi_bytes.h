#pragma once

#include <cstdint>

namespace velmora::midi_bytes {

// Status bytes of channel messages (the channel is added to them).
constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kControlChange = 0xB0;
constexpr std::uint8_t kProgramChange = 0xC0;

// Controller numbers.
constexpr std::uint8_t kPan = 10;
constexpr std::uint8_t kReverbDepth = 91;
constexpr std::uint8_t kAllSoundOff = 120;
constexpr std::uint8_t kAllNotesOff = 123;
constexpr std::uint8_t kOmniOff = 124;

constexpr std::uint8_t kPanCentre = 64;

}  // namespace velmora::midi_bytes
