#include "midi/midi_bytes.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

using namespace midi_bytes;

// The port, the SMF reader and the tests' reader all size messages by this one function.
TEST(ShortMessageLength, ProgramChangeAndChannelPressureCarryOneDataByteOnEveryChannel) {
    for (int channel = 0; channel < kChannelCount; ++channel) {
        for (const std::uint8_t kind : {kNoteOff, kNoteOn, kKeyPressure, kControlChange, kPitchBend}) {
            EXPECT_EQ(shortMessageLength(static_cast<std::uint8_t>(kind + channel)), 3u)
                << int{kind} << '/' << channel;
        }
        EXPECT_EQ(shortMessageLength(static_cast<std::uint8_t>(kProgramChange + channel)), 2u);
        EXPECT_EQ(shortMessageLength(static_cast<std::uint8_t>(kChannelPressure + channel)), 2u);
    }
}

TEST(ShortMessageLength, DataBytesAndSystemExclusiveAreNoShortMessage) {
    for (int byte = 0; byte < 0x80; ++byte)
        EXPECT_EQ(shortMessageLength(static_cast<std::uint8_t>(byte)), 0u);
    EXPECT_EQ(shortMessageLength(kSystemExclusive), 0u);
    EXPECT_EQ(shortMessageLength(kEndOfExclusive), 0u);
    EXPECT_EQ(shortMessageLength(0xF2), 3u);  // song position
    EXPECT_EQ(shortMessageLength(0xF3), 2u);  // song select
    EXPECT_EQ(shortMessageLength(0xF8), 1u);  // timing clock
}

}  // namespace
}  // namespace velmora::testing
