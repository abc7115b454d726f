// play and trace perform a text the same way: over random settings sequences
// in-process (play's wiring with a capture and a hand-fired tick timer), and
// for a few sequences through the real binary.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "cli/cli_performance.h"
#include "cli/trace_command.h"
#include "cli_process.h"
#include "support/capture_backend.h"
#include "support/manual_timer.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using cli::CliArguments;
using cli::CliSetup;

// A random sequence of --set pairs that leans on the rhythm keys, the empty
// rhythm item (7) included, and mixes in the options the grid rules read.
std::vector<std::pair<std::string, std::string>> randomSets(std::mt19937& random) {
    static const std::vector<std::pair<std::string, std::pair<int, int>>> kKeys = {
        {"ryzm", {0, 7}},    {"ryzm", {0, 7}},    {"ryzm", {6, 7}},  {"hosei", {0, 3}},
        {"topryzm", {0, 1}}, {"jump", {0, 1}},    {"more", {0, 1}},  {"patern", {0, 11}},
        {"2ch", {0, 1}},     {"keychg", {-8, 8}}, {"tonic", {0, 1}}, {"waon", {0, 1}},
        {"oct", {0, 1}},     {"octdown", {0, 1}}, {"hicut", {0, 1}}, {"hinum", {60, 100}},
        {"vol", {30, 127}},
    };
    std::vector<std::pair<std::string, std::string>> sets;
    const int count = std::uniform_int_distribution<int>(0, 8)(random);
    for (int i = 0; i < count; ++i) {
        const auto& [key, range] =
            kKeys[std::uniform_int_distribution<std::size_t>(0, kKeys.size() - 1)(random)];
        sets.emplace_back(
            key, std::to_string(std::uniform_int_distribution<int>(range.first, range.second)(random)));
    }
    return sets;
}

std::string randomText(std::mt19937& random) {
    static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcxyz0123   \t^^**,.";
    std::string text;
    const int lines = std::uniform_int_distribution<int>(1, 4)(random);
    for (int line = 0; line < lines; ++line) {
        const int length = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < length; ++i)
            text += kAlphabet[std::uniform_int_distribution<std::size_t>(0, kAlphabet.size() - 1)(random)];
        text += "\r\n";
    }
    return text;
}

// What the play command sends, with a capture for the output and the ticks and
// the end wait fired by hand instead of by the clock.
std::vector<std::string> playCaptured(const CliSetup& setup, std::optional<std::int32_t> fromLine) {
    CaptureBackend capture;
    cli::PlayerHost host(setup);
    ManualTimer tickTimer;
    cli::CliPerformance performance(setup, capture, tickTimer, host);
    performance.start(fromLine);
    while (tickTimer.enabled()) performance.transport().tick();
    if (performance.endTimer().enabled()) performance.transport().endWaitElapsed();
    EXPECT_FALSE(performance.transport().performing());
    std::vector<std::string> lines;
    for (const CapturedMessage& m : capture.messages) {
        lines.push_back(std::to_string(m.tick) + ' ' + std::to_string(m.status) + ' ' +
                        std::to_string(m.data1) + ' ' + std::to_string(m.data2));
    }
    return lines;
}

// After the trace's last message the play has its end wait: all notes off, then
// the stop's all sound off, on both channels.
void expectPlayIsTracePlusStop(const std::vector<std::string>& played, const std::vector<std::string>& traced,
                               const std::string& what) {
    ASSERT_FALSE(traced.empty()) << what;
    ASSERT_EQ(played.size(), traced.size() + 4) << what;
    EXPECT_EQ(std::vector<std::string>(played.begin(), played.end() - 4), traced) << what;
    const std::string lastTick = traced.back().substr(0, traced.back().find(' '));
    const std::vector<std::string> stop = {lastTick + " 176 123 0", lastTick + " 177 123 0",
                                           lastTick + " 176 120 0", lastTick + " 177 120 0"};
    EXPECT_EQ(std::vector<std::string>(played.end() - 4, played.end()), stop) << what;
}

TEST(PlayTraceAgreement, RandomSettingsSequencesPlayExactlyWhatTheTraceShows) {
    TempFolder folder;
    std::mt19937 random(20261208);
    for (int run = 0; run < 300; ++run) {
        const fs::path text = folder.write("text" + std::to_string(run % 7) + ".txt", randomText(random));
        CliArguments arguments;
        arguments.command = "trace";
        arguments.textPath = text.string();
        arguments.noSettings = true;
        arguments.seed = random();
        arguments.sets = randomSets(random);
        const CliSetup setup = cli::prepareSetup(arguments);
        if (setup.upperLines.empty()) continue;
        std::optional<std::int32_t> fromLine;
        if (run % 3 == 0)
            fromLine = std::uniform_int_distribution<std::int32_t>(
                0, static_cast<std::int32_t>(setup.upperLines.size()) - 1)(random);

        std::ostringstream trace;
        cli::runTrace(setup, fromLine, trace);
        std::string what = "run " + std::to_string(run) + ":";
        for (const auto& [key, value] : arguments.sets) what += " --set " + key + "=" + value;
        expectPlayIsTracePlusStop(playCaptured(setup, fromLine), linesOf(trace.str()), what);
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(PlayTraceAgreement, TheEmptyRhythmItemKeepsTheGridBeforeIt) {
    TempFolder folder;
    CliArguments arguments;
    arguments.textPath = folder.write("song.txt", "Hello world\r\n").string();
    arguments.noSettings = true;
    arguments.sets = {{"ryzm", "2"}, {"ryzm", "7"}};
    const CliSetup setup = cli::prepareSetup(arguments);
    EXPECT_EQ(setup.options.rhythmItem, 7);
    EXPECT_EQ(setup.options.grid.gridSteps, 12);
    EXPECT_EQ(setup.options.grid.meterKind, 3);
    EXPECT_EQ(cli::exportRequestFor(setup).options.grid.meterKind, 3)
        << "the export's time signature follows";
}

#ifdef VELMORA_HAVE_SOUND
// The real binaries at the fastest tempo on short texts; each play ends with
// the 3 s end wait, so they run side by side.
TEST(PlayTraceAgreement, TheBinaryPlaysWhatItTraces) {
    TempFolder folder;
    const fs::path text = folder.write("short.txt", "Sing a song\r\nof six^ *pence*\r\n");
    const std::vector<std::vector<std::string>> sequences = {
        {"--set", "ryzm=2", "--set", "ryzm=7"},
        {"--set", "ryzm=4", "--set", "ryzm=7", "--set", "hosei=3"},
        {"--set", "ryzm=1", "--set", "patern=10", "--set", "topryzm=1"},
        {"--set", "ryzm=7", "--set", "2ch=1", "--set", "keychg=3"},
    };
    std::vector<std::unique_ptr<RunningCli>> players;
    for (std::size_t i = 0; i < sequences.size(); ++i) {
        std::vector<std::string> args = {
            "play",     text.string(), "--no-settings",
            "--seed",   "5",           "--set",
            "tempo=80", "--output",    "capture:" + folder.file("c" + std::to_string(i)).string()};
        args.insert(args.end(), sequences[i].begin(), sequences[i].end());
        players.push_back(std::make_unique<RunningCli>(args));
    }
    for (std::size_t i = 0; i < sequences.size(); ++i) {
        const ProcessResult played = players[i]->wait();
        ASSERT_EQ(played.exitCode, 0) << played.err;
        std::vector<std::string> args = {"trace", text.string(), "--no-settings", "--seed",
                                         "5",     "--set",       "tempo=80"};
        args.insert(args.end(), sequences[i].begin(), sequences[i].end());
        const ProcessResult traced = runCli(args);
        ASSERT_EQ(traced.exitCode, 0) << traced.err;
        std::vector<std::string> capture;
        for (const auto& line : linesOf(readFile(folder.file("c" + std::to_string(i)))))
            capture.push_back(line.substr(line.find(' ') + 1));  // without the time
        expectPlayIsTracePlusStop(capture, linesOf(traced.out), "sequence " + std::to_string(i));
    }
}

#endif

}  // namespace
}  // namespace velmora::testing
