#include "engine/transport.h"

#include <gtest/gtest.h>

#include "documents/cp932_text.h"
#include "options/option_table.h"
#include "support/capture_backend.h"
#include "support/captured_message_print.h"
#include "support/manual_timer.h"
#include "support/scripted_random.h"

namespace velmora::testing {
namespace {

class FakeWindow final : public TransportHost {
public:
    MemoSnapshot memoSnapshot() override {
        MemoSnapshot memo;
        for (const auto& line : lines) memo.upperLines.push_back(upperCp932(line));
        memo.lineStarts = lineStartsOfPlainLines(memo.upperLines);
        memo.visibleLines = 20;
        memo.caretLine = caretLine;
        return memo;
    }
    void setMemoSelection(std::int32_t start, std::int32_t length) override { selection = {start, length}; }
    void displayChanged(const TransportDisplay& d) override {
        display = d;
        ++displayUpdates;
    }
    void showOverrunMessage(const std::string& message) override { overrunMessages.push_back(message); }
    void highlightCharacter(std::int32_t, std::int32_t soundingOffset) override { highlighted = soundingOffset; }
    void scrollDownOneLine() override {}
    void showElapsed(const std::string& text) override { elapsed = text; }

    std::vector<std::string> lines;
    std::int32_t caretLine = 0;
    std::pair<std::int32_t, std::int32_t> selection{-1, -1};
    TransportDisplay display;
    int displayUpdates = 0;
    std::vector<std::string> overrunMessages;
    std::int32_t highlighted = -1;
    std::string elapsed = "12 : 34";
};

class TransportTest : public ::testing::Test {
protected:
    PerformanceOptions options;
    CaptureBackend capture;
    MidiOutPort port{capture};
    ScriptedRandom rng;
    ManualTimer tickTimer, endTimer, repeatTimer;
    FakeWindow window;
    Transport transport{options, port, rng, tickTimer, endTimer, repeatTimer, window};

    void SetUp() override {
        selectRhythm(options, 0);
        transport.rhythmChanged();
        window.lines = {"AL", "LA"};
    }

    // Ticks until the tick timer stops; returns how many ticks ran.
    int tickToEnd() {
        int ticks = 0;
        while (tickTimer.enabled() && ticks < 1000) {
            transport.tick();
            ++ticks;
        }
        return ticks;
    }

    bool sent(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) const {
        return std::any_of(capture.messages.begin(), capture.messages.end(), [&](const CapturedMessage& m) {
            return m.status == status && m.data1 == data1 && m.data2 == data2;
        });
    }
};

TEST_F(TransportTest, PlayLocksTheControlsAndStartsTheTick) {
    options.tickMs = 30;
    transport.play();
    EXPECT_TRUE(transport.state().playing);
    const TransportDisplay& d = window.display;
    EXPECT_EQ(d.playCaption, "Stop");
    EXPECT_EQ(d.status, kStatusPlaying);
    EXPECT_TRUE(d.panelsLit);
    EXPECT_TRUE(d.playEnabled);
    EXPECT_FALSE(d.linePlayEnabled);
    EXPECT_FALSE(d.openEnabled || d.saveAsEnabled || d.saveEnabled || d.presetsEnabled || d.acceptDrops);
    for (OptionId id : {OptionId::ScalePattern, OptionId::BackingInstrument, OptionId::TonicOnE,
                        OptionId::RhythmFromFirstCharacter, OptionId::TwoChannels, OptionId::SoloInstrument})
        EXPECT_FALSE(optionEnabled(id, options, d.optionsLocked)) << optionDefinition(id).name;
    for (OptionId id : {OptionId::ChordsAtWordStarts, OptionId::RhythmCorrection, OptionId::TickMs,
                        OptionId::MelodyVelocity, OptionId::BackingHighEnabled})
        EXPECT_TRUE(optionEnabled(id, options, d.optionsLocked)) << optionDefinition(id).name;
    EXPECT_EQ(window.selection, (std::pair<std::int32_t, std::int32_t>{0, 1}));
    EXPECT_TRUE(tickTimer.enabled());
    EXPECT_EQ(tickTimer.interval, 50u) << "the tempo clamped to 50..1000";
    EXPECT_EQ(capture.openCount, 1);
}

TEST_F(TransportTest, AnEmptyMemoStartsNothing) {
    window.lines.clear();
    transport.play();
    transport.linePlay();
    EXPECT_FALSE(transport.performing());
    EXPECT_FALSE(tickTimer.enabled());
    EXPECT_EQ(window.displayUpdates, 0);
    EXPECT_EQ(capture.openCount, 0);
}

TEST_F(TransportTest, StopSilencesClosesAndRestoresTheControls) {
    transport.play();
    transport.tick();
    transport.play();
    EXPECT_FALSE(transport.performing());
    EXPECT_FALSE(tickTimer.enabled());
    EXPECT_TRUE(sent(0xB0, 120, 0));
    EXPECT_TRUE(sent(0xB1, 120, 0));
    EXPECT_EQ(capture.closeCount, 1);
    const TransportDisplay& d = window.display;
    EXPECT_EQ(d.playCaption, "Play");
    EXPECT_EQ(d.pauseCaption, "Pause");
    EXPECT_EQ(d.status, kStatusResting);
    EXPECT_FALSE(d.panelsLit);
    EXPECT_TRUE(d.playEnabled && d.linePlayEnabled && d.saveEnabled && d.saveAsEnabled && d.openEnabled &&
                !d.optionsLocked && d.acceptDrops && d.presetsEnabled);
    EXPECT_TRUE(optionEnabled(OptionId::ScalePattern, options, d.optionsLocked));
    EXPECT_FALSE(optionEnabled(OptionId::SoloInstrument, options, d.optionsLocked))
        << "the solo instrument follows the two-channel switch";
    EXPECT_EQ(window.elapsed, kElapsedZero);
    EXPECT_EQ(window.selection, (std::pair<std::int32_t, std::int32_t>{0, 0}));
}

TEST_F(TransportTest, StopEnablesTheSoloInstrumentInTwoChannelMode) {
    options.twoChannels = true;
    transport.play();
    EXPECT_FALSE(optionEnabled(OptionId::SoloInstrument, options, window.display.optionsLocked));
    transport.play();
    EXPECT_TRUE(optionEnabled(OptionId::SoloInstrument, options, window.display.optionsLocked));
}

TEST_F(TransportTest, PauseKeepsTheChordAndContinueReleasesItAtTheNextNote) {
    transport.play();
    transport.tick();
    const auto chord = transport.state().chordNotes;
    ASSERT_FALSE(chord.empty());
    capture.messages.clear();
    transport.pause();
    EXPECT_FALSE(tickTimer.enabled());
    EXPECT_EQ(window.display.pauseCaption, "Continue");
    EXPECT_EQ(capture.messages, (std::vector<CapturedMessage>{{1, 0xB0, 123, 0}, {1, 0xB1, 123, 0}}));
    EXPECT_EQ(transport.state().chordNotes, chord);

    transport.pause();
    EXPECT_TRUE(tickTimer.enabled());
    EXPECT_EQ(window.display.pauseCaption, "Pause");
    capture.messages.clear();
    transport.tick();
    for (const std::uint8_t note : chord) EXPECT_TRUE(sent(0x90, note, 0)) << int{note};
}

TEST_F(TransportTest, EscWhilePausedActsAtTheFirstNoteAfterContinue) {
    transport.play();
    transport.tick();
    transport.pause();
    transport.panic();
    transport.pause();
    capture.messages.clear();
    transport.tick();
    ASSERT_GE(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[0], (CapturedMessage{2, 0xB0, 123, 0}));
    EXPECT_EQ(capture.messages[1], (CapturedMessage{2, 0xB1, 123, 0}));
}

TEST_F(TransportTest, TheEndOfTheTextWaitsThenStops) {
    transport.play();
    tickToEnd();
    EXPECT_TRUE(transport.state().playing) << "ending is still a performance";
    EXPECT_FALSE(window.display.playEnabled);
    EXPECT_TRUE(endTimer.enabled());
    EXPECT_EQ(endTimer.interval, 3000u);
    EXPECT_TRUE(sent(0xB0, 123, 0));
    transport.endWaitElapsed();
    EXPECT_FALSE(transport.performing());
    EXPECT_FALSE(endTimer.enabled());
    EXPECT_EQ(window.display.playCaption, "Play");
    EXPECT_TRUE(window.display.playEnabled);
}

TEST_F(TransportTest, RepeatWaitsTheGapThenStartsAgainFromTheFirstLine) {
    options.repeatAtEnd = true;
    window.caretLine = 1;
    transport.linePlay();
    EXPECT_EQ(window.selection, (std::pair<std::int32_t, std::int32_t>{4, 0}));
    tickToEnd();
    transport.endWaitElapsed();
    EXPECT_EQ(window.display.status, kStatusLoading);
    EXPECT_TRUE(repeatTimer.enabled());
    EXPECT_EQ(repeatTimer.interval, 1500u);
    EXPECT_FALSE(tickTimer.enabled());
    transport.repeatGapElapsed();
    EXPECT_FALSE(repeatTimer.enabled());
    EXPECT_TRUE(tickTimer.enabled());
    EXPECT_TRUE(window.display.linePlayEnabled);
    EXPECT_EQ(window.display.status, kStatusPlaying);
    EXPECT_EQ(window.selection, (std::pair<std::int32_t, std::int32_t>{0, 1}));
    transport.tick();
    EXPECT_EQ(transport.state().lineIndex, 0);
    EXPECT_EQ(window.highlighted, 0);
}

TEST_F(TransportTest, StopDuringTheRepeatGapEndsItForGood) {
    options.repeatAtEnd = true;
    transport.play();
    tickToEnd();
    transport.endWaitElapsed();
    ASSERT_TRUE(transport.inRepeatGap());
    // The Play button is disabled in the gap, but a close or a panel can still stop.
    transport.shutdown();
    EXPECT_FALSE(transport.inRepeatGap());
    const int startsBefore = tickTimer.starts;
    transport.repeatGapElapsed();  // a late expiry resumes nothing
    EXPECT_EQ(tickTimer.starts, startsBefore);
    EXPECT_FALSE(transport.performing());
}

TEST_F(TransportTest, AnOverrunStopsTheRunningPerformanceAndExplains) {
    transport.linePlay();
    transport.tickOverran();
    EXPECT_FALSE(transport.performing());
    EXPECT_EQ(window.display.linePlayCaption, "LinePlay");
    EXPECT_EQ(window.overrunMessages, (std::vector<std::string>{kOverrunMessage}));
    EXPECT_FALSE(endTimer.enabled());
}

TEST_F(TransportTest, ARhythmChangeRestartsTheTickDuringPlayButNotDuringLinePlayOrPause) {
    transport.play();
    int starts = tickTimer.starts;
    selectRhythm(options, 2);
    transport.rhythmChanged();
    EXPECT_EQ(tickTimer.starts, starts + 1);

    transport.pause();  // paused
    selectRhythm(options, 1);
    transport.rhythmChanged();
    EXPECT_FALSE(tickTimer.enabled()) << "a paused performance stays paused";
    transport.play();

    transport.linePlay();
    starts = tickTimer.starts;
    selectRhythm(options, 7);
    transport.rhythmChanged();
    EXPECT_EQ(tickTimer.starts, starts);
}

TEST_F(TransportTest, TicksAreNumberedFromTheStartForTheOutput) {
    transport.play();
    EXPECT_EQ(capture.messages.front().tick, 0u);
    transport.tick();
    transport.tick();
    EXPECT_EQ(capture.messages.back().tick, 2u);
    EXPECT_EQ(transport.tickNumber(), 2u);
}

TEST_F(TransportTest, TheTempoControlClampsTheTickInterval) {
    options.tickMs = 1000;
    transport.tempoChanged();
    EXPECT_EQ(tickTimer.interval, 1000u);
    options.tickMs = 60;
    transport.tempoChanged();
    EXPECT_EQ(tickTimer.interval, 60u);
    options.tickMs = 20;
    transport.tempoChanged();
    EXPECT_EQ(tickTimer.interval, 50u);
}

}  // namespace
}  // namespace velmora::testing
