#include <gtest/gtest.h>

#include "engine/key_sounder.h"
#include "engine/range_fitting.h"
#include "mapping/letter_tables.h"
#include "support/capture_backend.h"

namespace velmora {
namespace {

using testing::CaptureBackend;
using testing::CapturedMessage;

struct TypingHarness {
    explicit TypingHarness(PerformanceOptions opts = {}) : options(opts) {}
    PerformanceOptions options;
    CaptureBackend capture;
    MidiOutPort port{capture};
    SeededRandom rng{2};
    KeySounder sounder{options, port, rng};
};

std::uint8_t tableNote(const PerformanceOptions& options, char letter) {
    SeededRandom unused(0);
    return letterPitch(options.scalePattern, static_cast<std::uint8_t>(letter), options.tonicMode(), unused);
}

TEST(KeySounder, ATypedLetterSoundsAtOnceWithTheMelodyInstrument) {
    PerformanceOptions options;
    options.scalePattern = 4;
    options.keyShift = 2;
    options.twoChannels = true;
    options.soloInstrument = 40;
    options.melodyVelocity = 90;
    options.melodyReverb = 30;
    TypingHarness h(options);

    const std::uint8_t note = h.sounder.keyTyped('f');  // lower case plays as upper case
    const auto expected = static_cast<std::uint8_t>(tableNote(options, 'F') + 2);
    ASSERT_NE(tableNote(options, 'F'), 0);
    EXPECT_EQ(note, expected);
    EXPECT_EQ(h.capture.openCount, 1);
    const std::vector<CapturedMessage> wanted = {
        {0, 0xB1, 10, 64},  // pan centred, first after the port opens
        {0, 0xC1, 40, 0},   // the solo instrument on the melody channel
        {0, 0xB1, 91, 30},  // its reverb
        {0, 0x91, expected, 90},
    };
    EXPECT_EQ(h.capture.messages, wanted);
}

TEST(KeySounder, EachKeyEndsThePreviousNoteAndRestsSoundNothing) {
    TypingHarness h;
    EXPECT_EQ(h.sounder.keyTyped(' '), 0);
    EXPECT_EQ(h.sounder.keyTyped('^'), 0);
    EXPECT_EQ(h.capture.openCount, 0);  // nothing sounded, nothing opened
    const std::uint8_t first = h.sounder.keyTyped('A');
    h.capture.messages.clear();
    EXPECT_EQ(h.sounder.keyTyped(','), 0);
    EXPECT_TRUE(h.capture.messages.empty());  // a rest leaves the note sounding
    const std::uint8_t second = h.sounder.keyTyped('C');
    const std::vector<CapturedMessage> wanted = {{0, 0x91, first, 0}, {0, 0x91, second, 127}};
    EXPECT_EQ(h.capture.messages, wanted);
    h.capture.messages.clear();
    h.sounder.release();
    h.sounder.release();  // once only
    EXPECT_EQ(h.capture.messages, (std::vector<CapturedMessage>{{0, 0x91, second, 0}}));
}

TEST(KeySounder, FollowsInstrumentAndRangeChangesBetweenKeys) {
    PerformanceOptions options;
    options.backingInstrument = 0;
    TypingHarness h(options);
    h.sounder.keyTyped('A');
    h.capture.messages.clear();
    h.options.backingInstrument = 19;
    h.options.backingRange.high.enabled = true;
    h.options.backingRange.high.note = 54;  // backing limit, used by the melody with one channel
    const std::uint8_t note = h.sounder.keyTyped('A');
    EXPECT_EQ(note, fitBackingRange(h.options, tableNote(h.options, 'A')));
    EXPECT_LE(note, 54);
    ASSERT_GE(h.capture.messages.size(), 2u);
    EXPECT_EQ(h.capture.messages[0], (CapturedMessage{0, 0xC1, 19, 0}));
}

TEST(KeySounder, StopHandsThePortBack) {
    TypingHarness h;
    h.sounder.stop();
    EXPECT_EQ(h.capture.closeCount, 0);  // never opened, nothing to close
    const std::uint8_t note = h.sounder.keyTyped('C');
    h.sounder.stop();
    EXPECT_EQ(h.capture.closeCount, 1);
    EXPECT_FALSE(h.sounder.portOpened());
    EXPECT_EQ(h.capture.messages.back(), (CapturedMessage{0, 0x91, note, 0}));
    h.sounder.keyTyped('C');  // opens again, instrument sent again
    EXPECT_EQ(h.capture.openCount, 2);
    EXPECT_EQ(h.capture.messages[h.capture.messages.size() - 3].status, 0xC1);
}

}  // namespace
}  // namespace velmora
