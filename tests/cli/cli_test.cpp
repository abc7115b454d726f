#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli_process.h"
#include "documents/text_encoding.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// The key signature's sf byte: after the 14-byte header, the conductor's chunk
// header (8), its text event (14) and its time signature (8), at offset 48.
int keySignatureOf(const std::string& midi) { return static_cast<signed char>(midi.at(48)); }

class CliTest : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path text = folder.write("story.txt", "Hello world\r\nThe quick brown fox\r\n");
};

TEST_F(CliTest, UsageErrorsExitTwoWithOneLineOnStandardError) {
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"dance"},
        {"export", text.string()},
        {"export", text.string(), "-o", "x.mid", "--bogus"},
        {"trace", text.string(), "--set", "noequals"},
        {"trace", text.string(), "--set", "nosuchkey=1"},
        {"trace", text.string(), "--seed", "abc"},
        {"trace", text.string(), "--encoding", "latin1"},
        {"trace", text.string(), "--settings", "a.ini", "--no-settings"},
        {"trace", text.string(), "--from-line", "9"},
        {"trace", text.string(), "-o", "x.mid"},
        {"score", text.string()},
        {"score", text.string(), "-o", "x.txt"},
        {"score", text.string(), "-o", "x.musicxml", "--lyrics"},
        {"export", text.string(), "-o", "x.mid", "--lyrics-encoding", "latin1"},
    };
    for (const auto& args : misuses) {
        const ProcessResult r = runCli(args);
        std::string joined;
        for (const auto& a : args) joined += a + ' ';
        EXPECT_EQ(r.exitCode, 2) << joined;
        EXPECT_EQ(lineCount(r.err), 1) << joined << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << joined;
    }
    // A value out of its range says the range.
    const std::vector<std::pair<std::vector<std::string>, std::string>> ranges = {
        {{"export", text.string(), "-o", ""}, "-o needs a file name (or - for the standard output)"},
        {{"trace", text.string(), "--seed", "18446744073709551616"}, "from 0 to 18446744073709551615"},
        {{"trace", text.string(), "--from-line", "-1"}, "from 0 to 2147483647"},
        {{"trace", text.string(), "--from-line", "9"}, "the text has lines 0 to 1"},
    };
    for (const auto& [args, range] : ranges) {
        const ProcessResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_NE(r.err.find(range), std::string::npos) << r.err;
    }
}

TEST_F(CliTest, RuntimeErrorsExitOneAndLeaveExistingFilesAlone) {
    const ProcessResult missing = runCli({"trace", folder.file("nope.txt").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(lineCount(missing.err), 1);

    const fs::path empty = folder.write("empty.txt", "");
    const fs::path target = folder.write("old.mid", "old contents");
    const ProcessResult emptyExport = runCli({"export", empty.string(), "-o", target.string()});
    EXPECT_EQ(emptyExport.exitCode, 1);
    EXPECT_NE(emptyExport.err.find("nothing to export: the text is empty"), std::string::npos);
    EXPECT_EQ(readFile(target), "old contents");
    const fs::path oldScore = folder.write("old.musicxml", "old contents");
    EXPECT_EQ(runCli({"score", empty.string(), "-o", oldScore.string()}).exitCode, 1);
    EXPECT_EQ(readFile(oldScore), "old contents");

    const ProcessResult unwritable =
        runCli({"export", text.string(), "-o", folder.file("missing/dir/out.mid").string()});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(lineCount(unwritable.err), 1);
}

TEST_F(CliTest, ExportIsSilentAndWritesAStandardMidiFile) {
    const fs::path out = folder.file("story.mid");
    const ProcessResult r = runCli({"export", text.string(), "-o", out.string(), "--seed", "3"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_TRUE(r.err.empty());
    const std::string midi = readFile(out);
    ASSERT_GT(midi.size(), 60u);
    EXPECT_EQ(midi.substr(0, 4), "MThd");
    EXPECT_EQ(keySignatureOf(midi), -3) << "pattern 1 with the tonic on E is in E flat";
}

TEST_F(CliTest, TheSameSeedGivesTheSameTraceAndExport) {
    for (const char* pattern : {"patern=10", "patern=11", "patern=0"}) {
        const ProcessResult a = runCli({"trace", text.string(), "--seed", "42", "--set", pattern});
        const ProcessResult b = runCli({"trace", text.string(), "--seed", "42", "--set", pattern});
        EXPECT_EQ(a.exitCode, 0);
        EXPECT_EQ(a.out, b.out) << pattern;
        const fs::path x = folder.file("x.mid"), y = folder.file("y.mid");
        runCli({"export", text.string(), "-o", x.string(), "--seed", "42", "--set", pattern});
        runCli({"export", text.string(), "-o", y.string(), "--seed", "42", "--set", pattern});
        EXPECT_EQ(readFile(x), readFile(y)) << pattern;
    }
}

TEST_F(CliTest, TraceStartsWithThePortsOpeningAndEndsWithAllNotesOff) {
    const ProcessResult r = runCli({"trace", text.string(), "--seed", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_GT(lines.size(), 10u);
    // Opening sends nothing of its own: the programs come first.
    EXPECT_EQ(lines[0], "0 192 0 0");
    EXPECT_EQ(lines[1], "0 193 0 0");
    // The tick after the last character: all notes off on channel 0, then 1.
    const std::string& last = lines.back();
    const std::string& beforeLast = lines[lines.size() - 2];
    EXPECT_EQ(last.substr(last.find(' ')), " 177 123 0");
    EXPECT_EQ(beforeLast.substr(beforeLast.find(' ')), " 176 123 0");
    EXPECT_EQ(last.substr(0, last.find(' ')), beforeLast.substr(0, beforeLast.find(' ')));
}

TEST_F(CliTest, TraceFromALineUsesLinePlaysOrderAndSkipsTheLinesBefore) {
    const ProcessResult r = runCli({"trace", text.string(), "--seed", "1", "--from-line", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[0], "0 192 0 0");
    EXPECT_EQ(lines[1], "0 176 91 0") << "reverb follows the backing program in LinePlay";
    EXPECT_EQ(lines[5], "0 193 0 0") << "the melody program comes last";
    const ProcessResult whole = runCli({"trace", text.string(), "--seed", "1"});
    EXPECT_LT(lines.size(), linesOf(whole.out).size());
}

TEST_F(CliTest, AnEmptyTextTracesNothing) {
    const fs::path empty = folder.write("empty.txt", "");
    const ProcessResult r = runCli({"trace", empty.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.empty());
}

TEST_F(CliTest, TheTextsOwnSettingsApplyUnlessToldOtherwise) {
    folder.write("story.ini", "[config]\r\npatern=40\r\n");
    const fs::path out = folder.file("o.mid");
    ASSERT_EQ(runCli({"export", text.string(), "-o", out.string()}).exitCode, 0);
    EXPECT_EQ(keySignatureOf(readFile(out)), 0) << "pattern 12 with the tonic on E is in C";

    ASSERT_EQ(runCli({"export", text.string(), "-o", out.string(), "--no-settings"}).exitCode, 0);
    EXPECT_EQ(keySignatureOf(readFile(out)), -3);

    const fs::path other = folder.write("other.ini", "[CONFIG]\r\nKeyChg=0x1\r\n");
    ASSERT_EQ(runCli({"export", text.string(), "-o", out.string(), "--settings", other.string()}).exitCode, 0);
    // Only the given file applies: pattern 1 (patern missing: 0), tonic on E, key +1: E.
    EXPECT_EQ(keySignatureOf(readFile(out)), 4);

    ASSERT_EQ(runCli({"export", text.string(), "-o", out.string(), "--set", "KEYCHG=-8"}).exitCode, 0);
    EXPECT_EQ(keySignatureOf(readFile(out)), 4) << "pattern 12 from story.ini, E minus 8 semitones: E";
}

TEST_F(CliTest, AJapaneseTextPlaysTheSameInCp932AndUtf8) {
    const std::string utf8 = "夏草や　兵どもが　夢の跡\nAbc def\n";
    const fs::path utf8File = folder.write("haiku-utf8.txt", utf8);
    const fs::path cp932File = folder.write("haiku-sjis.txt", utf8ToCp932(utf8));
    const ProcessResult a = runCli({"trace", utf8File.string(), "--seed", "5", "--no-settings"});
    const ProcessResult b = runCli({"trace", cp932File.string(), "--seed", "5", "--no-settings"});
    ASSERT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    const ProcessResult forced =
        runCli({"trace", utf8File.string(), "--seed", "5", "--no-settings", "--encoding", "cp932"});
    EXPECT_EQ(forced.exitCode, 0);
    EXPECT_NE(forced.out, a.out) << "read as CP932, the UTF-8 bytes are other characters";
}

}  // namespace
}  // namespace velmora::testing
