#include "midi/midi_out_port.h"

#include <gtest/gtest.h>

#include "support/capture_backend.h"
#include "support/captured_message_print.h"

namespace velmora::testing {
namespace {

using Bytes = std::vector<CapturedMessage>;

class FailingBackend final : public MidiBackend {
public:
    bool open() override { return false; }
    void close() override { ++closes; }
    void sendShortMessage(std::uint8_t, std::uint8_t, std::uint8_t) override { ++sent; }
    std::string lastError() const override { return "no synthesizer: install a soundfont"; }
    int sent = 0;
    int closes = 0;
};

class MidiOutPortTest : public ::testing::Test {
protected:
    CaptureBackend capture;
    MidiOutPort port{capture};

    void SetUp() override {
        port.open();
        capture.messages.clear();
    }
};

TEST(MidiOutPortOpen, SendsNoMessageAndSetsFullVolume) {
    // No omni off: a synthesizer that honours it would leave the melody's channel deaf.
    CaptureBackend capture;
    MidiOutPort port(capture);
    port.open();
    EXPECT_TRUE(capture.messages.empty());
    EXPECT_EQ(capture.deviceVolume, 0xFFFFFFFFu);
    EXPECT_TRUE(port.openError().empty());
}

TEST_F(MidiOutPortTest, NoteOffIsANoteOnWithVelocityZero) {
    port.noteOff(60, 1);
    port.noteOn(64, 100, 0);
    EXPECT_EQ(capture.messages, (Bytes{{0, 0x91, 60, 0}, {0, 0x90, 64, 100}}));
}

TEST_F(MidiOutPortTest, ControllersAndProgramsCarryTheChannelInTheStatusByte) {
    port.programChange(40, 0);
    port.centerPan(1);
    port.setReverb(90, 1);
    port.allSoundOff(0);
    port.allNotesOff(1);
    EXPECT_EQ(capture.messages, (Bytes{{0, 0xC0, 40, 0},
                                       {0, 0xB1, 10, 64},
                                       {0, 0xB1, 91, 90},
                                       {0, 0xB0, 120, 0},
                                       {0, 0xB1, 123, 0}}));
}

TEST_F(MidiOutPortTest, DataBytesAreNotMasked) {
    port.noteOn(200, 250, 1);
    EXPECT_EQ(capture.messages, (Bytes{{0, 0x91, 200, 250}}));
}

TEST_F(MidiOutPortTest, MessagesAfterCloseAreDropped) {
    port.close();
    port.noteOn(60, 100, 1);
    EXPECT_TRUE(capture.messages.empty());
    EXPECT_EQ(capture.closeCount, 1);
}

TEST(MidiOutPortFailure, AFailedOpenDropsMessagesAndExplainsWhy) {
    FailingBackend failing;
    MidiOutPort port(failing);
    port.open();
    port.noteOn(60, 100, 1);
    EXPECT_EQ(failing.sent, 0);
    EXPECT_EQ(port.openError(), "no synthesizer: install a soundfont");
    port.close();  // closing a port that never opened is harmless
}

TEST(MidiOutPortFailure, MessagesBeforeOpenAreDropped) {
    CaptureBackend capture;
    MidiOutPort port(capture);
    port.noteOff(0, 1);
    EXPECT_TRUE(capture.messages.empty());
}

}  // namespace
}  // namespace velmora::testing
