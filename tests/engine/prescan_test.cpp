#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "mapping/random_source.h"

namespace velmora::testing {
namespace {

const std::vector<std::string> kText = {
    "The quick brown fox, 1984;",
    "",
    "jumps over *the* lazy dog^ again",
    "   ",
    "Velmora plays\ttext as music.",
    "HQZ 0123456789 xyz",
    "end",
};

struct Counters {
    std::int32_t stepCount;
    std::int32_t gridOrigin;
    std::int32_t offbeatRun;
    bool operator==(const Counters&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counters& c) {
    return out << "{steps " << c.stepCount << ", origin " << c.gridOrigin << ", offbeat " << c.offbeatRun << "}";
}

Counters countersOf(const PerformanceState& state) { return {state.stepCount, state.gridOrigin, state.offbeatRun}; }

// Where a full Play stands before the first character of `line`: after the last
// tick that ended on an earlier line (what lies between takes no step).
Counters playCountersAt(const PerformanceOptions& options, int line) {
    TickHarness h(options);
    h.play(kText);
    Counters before = countersOf(h.state);
    for (;;) {
        h.tickOnce();
        if (!h.running || h.state.lineIndex >= line) return before;
        before = countersOf(h.state);
    }
}

Counters linePlayCountersAt(const PerformanceOptions& options, int line) {
    TickHarness h(options);
    h.play(kText);
    h.state.resetCounters();
    h.tick.prescanToLine(line);
    EXPECT_EQ(h.state.lineIndex, line - 1);
    // At the end of the line before, so that the first tick moves to the start
    // line (an empty line before it leaves the column at 1, which does the same).
    const auto before = static_cast<std::int32_t>(kText[static_cast<std::size_t>(line - 1)].size());
    EXPECT_EQ(h.state.charPos, std::max(before, 1));
    return countersOf(h.state);
}

class PrescanTest : public ::testing::TestWithParam<int> {};

TEST_P(PrescanTest, LinePlayReachesTheCountersOfAFullPlayAtEveryLine) {
    const int pattern = GetParam();
    for (const bool modeE : {false, true}) {
        for (const int rhythm : {0, 1, 2, 3, 4, 5}) {
            for (const bool fromFirstCharacter : {false, true}) {
                for (const int correction : {0, 2, 3}) {
                    PerformanceOptions options;
                    options.scalePattern = pattern;
                    options.tonicOnE = modeE;
                    options.rhythmItem = rhythm;
                    options.rhythmFromFirstCharacter = fromFirstCharacter;
                    options.rhythmCorrection = correction;
                    options.unassignedLettersStartWords = correction == 3;
                    for (int line = 1; line < static_cast<int>(kText.size()); ++line) {
                        EXPECT_EQ(linePlayCountersAt(options, line), playCountersAt(options, line))
                            << "pattern " << pattern << " mode " << (modeE ? 'E' : 'A') << " rhythm " << rhythm
                            << " top " << fromFirstCharacter << " correction " << correction << " line " << line;
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPattern, PrescanTest, ::testing::Range(0, 12));

TEST(Prescan, TargetZeroChangesNothingAndThePortStaysSilent) {
    TickHarness h;
    h.play(kText);
    h.state.resetCounters();
    h.tick.prescanToLine(0);
    EXPECT_EQ(countersOf(h.state), (Counters{0, 0, 0}));
    EXPECT_EQ(h.state.charPos, 0);
}

TEST(Prescan, LinePlayFromTheFirstLineTicksExactlyLikePlay) {
    PerformanceOptions options;
    SeededRandom seeds(7);
    TickHarness play(options);
    play.play(kText);
    TickHarness linePlay(options);
    std::vector<std::string> upper;
    for (const auto& line : kText) upper.push_back(upperCp932(line));
    beginLinePlay(options, linePlay.state, linePlay.port, linePlay.tick, upper, lineStartsOfPlainLines(upper), 0);
    for (int i = 0; i < 200 && play.running; ++i) {
        EXPECT_EQ(linePlay.tickOnce(), play.tickOnce()) << "tick " << i + 1;
    }
    EXPECT_FALSE(linePlay.running);
}

TEST(Prescan, LinePlayOpensThePortInItsOwnOrder) {
    PerformanceOptions options;
    options.twoChannels = true;
    options.soloInstrument = 40;
    options.backingInstrument = 5;
    options.backingReverb = 30;
    options.melodyReverb = 70;
    TickHarness h(options);
    std::vector<std::string> upper = {"ABC", "DEF"};
    h.capture.messages.clear();
    beginLinePlay(options, h.state, h.port, h.tick, upper, lineStartsOfPlainLines(upper), 1);
    EXPECT_EQ(
        h.capture.messages,
        (std::vector<CapturedMessage>{
            {0, 0xC0, 5, 0}, {0, 0xB0, 91, 30}, {0, 0xB1, 91, 70}, {0, 0xB1, 10, 64}, {0, 0xC1, 40, 0}}));
    EXPECT_EQ(h.state.linePlayStart, 5);
    EXPECT_EQ(h.state.lineIndex, 0);
    EXPECT_EQ(h.state.charPos, 3);
}

TEST(Prescan, PlayOpensThePortWithProgramsThenReverbThenPan) {
    PerformanceOptions options;
    options.backingInstrument = -1;  // a combo without selection sends program 0
    TickHarness h(options);
    h.capture.messages.clear();
    std::vector<std::string> upper = {"A"};
    beginPlay(options, h.state, h.port, upper, lineStartsOfPlainLines(upper));
    EXPECT_EQ(h.capture.messages, (std::vector<CapturedMessage>{{0, 0xC0, 0, 0},
                                                                {0, 0xC1, 0, 0},
                                                                {0, 0xB0, 91, 0},
                                                                {0, 0xB1, 91, 0},
                                                                {0, 0xB1, 10, 64},
                                                                {0, 0xB0, 10, 64}}));
}

}  // namespace
}  // namespace velmora::testing
