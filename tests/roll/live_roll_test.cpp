#include <gtest/gtest.h>

#include "engine/live_channels.h"
#include "engine/performance_start.h"
#include "engine/performance_tick.h"
#include "mapping/note_names.h"
#include "support/capture_backend.h"
#include "roll/export_roll.h"
#include "roll/live_roll.h"
#include "smf/export_fixtures.h"

namespace velmora {
namespace {

using testing::CaptureBackend;
using testing::CapturedMessage;

// A live performance through the recorder, ticked by hand as the transport does.
class LivePerformance : public PerformanceControl {
public:
    explicit LivePerformance(PerformanceOptions options) : options_(options) {}

    void stopTickTimer() override {}
    void finishPerformance() override {
        port.allNotesOff(0);
        port.allNotesOff(1);
        running_ = false;
    }

    void play(const std::vector<std::string>& lines) {
        recorder.beginTick(0);
        beginPlay(options_, state, port, lines, lineStartsOfPlainLines(lines));
        std::uint64_t tick = 0;
        while (running_) {
            recorder.beginTick(++tick);
            tick_.advance();
        }
    }

    PerformanceState state;
    CaptureBackend capture;
    LiveRollRecorder recorder{capture, &state};
    MidiOutPort port{recorder};

private:
    PerformanceOptions options_;
    SeededRandom rng_{5};
    PerformanceTick tick_{options_, state, port, rng_, *this};
    bool running_ = true;
};

std::vector<RollNote> melodyOf(const RollModel& model) {
    std::vector<RollNote> notes;
    for (const RollNote& note : model.notes) {
        if (note.voice == RollVoice::Melody) notes.push_back(note);
    }
    return notes;
}

// A sound device that cannot be opened, counting what reaches it anyway.
class ClosedDevice final : public MidiBackend {
public:
    bool open() override { return opens; }
    void close() override {}
    void sendShortMessage(std::uint8_t, std::uint8_t, std::uint8_t) override { ++received; }
    std::string lastError() const override { return "no device"; }

    bool opens = false;
    int received = 0;
};

TEST(LiveRoll, AnOutputThatDoesNotOpenGetsNothingWhileTheRollStillRecords) {
    ClosedDevice device;
    LiveRollRecorder recorder(device);
    MidiOutPort port(recorder);
    port.open();
    EXPECT_EQ(recorder.outputOpenError(), "no device");
    port.noteOn(60, 100, kLiveMelodyChannel);
    EXPECT_EQ(device.received, 0);
    EXPECT_EQ(recorder.written(), 1u);

    port.close();
    device.opens = true;
    port.open();
    EXPECT_TRUE(recorder.outputOpenError().empty());
    port.noteOn(62, 100, kLiveMelodyChannel);
    EXPECT_GT(device.received, 0);
    EXPECT_EQ(recorder.written(), 2u);
}

TEST(LiveRoll, DrawsTheMelodyThePerformancePlaysWhereTheExportPutsIt) {
    const std::vector<std::string> lines = {"A LITTLE TUNE^ FOR THE ROLL", "", "AND A SECOND LINE"};
    for (const int pattern : {0, 3, 8}) {
        PerformanceOptions options;
        options.scalePattern = pattern;
        options.keyShift = -2;
        LivePerformance live(options);
        live.play(lines);

        // Everything reached the real output.
        EXPECT_EQ(live.capture.openCount, 1);
        EXPECT_GT(live.capture.messages.size(), 20u);

        LiveRoll roll;
        roll.reset(4, nameBase(pattern, options.tonicMode()) + options.keyShift);
        roll.catchUp(live.recorder);
        ExportRequest request = testing::requestFor(lines);
        request.options = options;
        SeededRandom rng(5);
        const RollModel exported = buildExportRoll(request, rng);
        EXPECT_EQ(melodyOf(roll.model()), melodyOf(exported)) << pattern;

        // Chords stand on melody notes and name the melody note's character.
        for (const RollNote& note : roll.model().notes) {
            if (note.voice != RollVoice::Chord) continue;
            bool onMelody = false;
            for (const RollNote& melody : melodyOf(roll.model())) {
                onMelody |= melody.startStep == note.startStep && melody.memoOffset == note.memoOffset;
            }
            EXPECT_TRUE(onMelody) << pattern << " step " << note.startStep;
        }
    }
}

TEST(LiveRoll, FollowsTheRecordAFrameAtATimeAndStartsOverWithANewPerformance) {
    PerformanceState state;
    state.lineStarts = {0};
    CaptureBackend capture;
    LiveRollRecorder recorder(capture, &state);
    LiveRoll roll;
    roll.reset(4, 60);

    recorder.beginTick(0);
    recorder.beginTick(1);
    state.charPos = 1;
    recorder.sendShortMessage(0x91, 64, 100);
    roll.catchUp(recorder);
    ASSERT_EQ(roll.model().notes.size(), 1u);
    EXPECT_EQ(roll.model().notes[0].lengthSteps, 0);
    for (std::uint64_t tick = 2; tick <= 4; ++tick) recorder.beginTick(tick);
    roll.catchUp(recorder);
    EXPECT_EQ(roll.currentStep(), 3);
    EXPECT_EQ(roll.model().notes[0].lengthSteps, 3);  // drawn as it sounds
    recorder.sendShortMessage(0xB1, 123, 0);           // all notes off
    recorder.sendShortMessage(0xC1, 5, 0);             // not drawn
    roll.catchUp(recorder);
    recorder.beginTick(9);
    roll.catchUp(recorder);
    EXPECT_EQ(roll.model().notes[0].lengthSteps, 3);
    EXPECT_EQ(capture.messages.size(), 3u);

    recorder.beginTick(0);  // the repeat starts the roll again
    roll.catchUp(recorder);
    EXPECT_TRUE(roll.model().notes.empty());
}

TEST(LiveRoll, AReaderThatFellBehindKeepsTheNewestEvents) {
    PerformanceState state;
    NullBackend output;
    LiveRollRecorder recorder(output, &state);
    LiveRoll roll;
    roll.reset(4, 60);
    recorder.beginTick(1);
    const std::size_t sent = LiveRollRecorder::kCapacity + 10;
    for (std::size_t index = 0; index < sent; ++index) {
        recorder.sendShortMessage(0x90, static_cast<std::uint8_t>(index % 128), index % 2 ? 0 : 90);
    }
    roll.catchUp(recorder);
    EXPECT_EQ(recorder.written(), sent);
    EXPECT_LE(roll.model().notes.size(), LiveRollRecorder::kCapacity / 2);
    EXPECT_GT(roll.model().notes.size(), 0u);
}

}  // namespace
}  // namespace velmora
