// Outputs that cannot hurt: special files written directly, outputs that are
// inputs refused, temporary files gone after signals and the file-size limit,
// inputs that cannot be read reported at once, messages in English.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "cli_process.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

int entryCount(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
    return count;
}

bool hasJapanese(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

class SafeOutputTest : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path text = folder.write("story.txt", "Hello world\r\nThe quick brown fox\r\n");

    std::vector<std::string> exportTo(const fs::path& output) const {
        return {"export", text.string(), "-o", output.string(), "--seed", "7"};
    }
};

TEST_F(SafeOutputTest, DashWritesTheFileToStandardOutput) {
    const fs::path file = folder.file("story.mid");
    ASSERT_EQ(runCli(exportTo(file)).exitCode, 0);
    const ProcessResult piped = runCli({"export", text.string(), "-o", "-", "--seed", "7"});
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.out, readFile(file));
    EXPECT_FALSE(fs::exists("-"));
}

TEST_F(SafeOutputTest, LongOutputNameWorks) {
    const fs::path output = folder.file(std::string(250, 'm') + ".mid");
    const ProcessResult r = runCli(exportTo(output));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(output).substr(0, 4), "MThd");
    EXPECT_EQ(entryCount(folder.path()), 2);
}

// A signal while the file is being written, caught as soon as the temporary file exists.
TEST_F(SafeOutputTest, SignalsDuringTheExportLeaveNoTemporaryFile) {
    std::string longText;
    while (longText.size() < 4000000) longText += "The quick brown fox jumps over the lazy dog\r\n";
    folder.write("story.txt", longText);
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        RunningCli cli(exportTo(folder.file("out.mid")));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (entryCount(folder.path()) < 2 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        cli.signal(number);
        const ProcessResult r = cli.wait();
        EXPECT_EQ(r.exitCode, 128 + number) << r.err;
        EXPECT_EQ(entryCount(folder.path()), 1) << "signal " << number;
    }
}

TEST_F(SafeOutputTest, AFifoWithoutWriterAsTextIsAnErrorNotAWait) {
    const fs::path fifo = folder.file("waiting.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const ProcessResult r = runCli({"export", fifo.string(), "-o", folder.file("out.mid").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot read " + fifo.string()), std::string::npos) << r.err;
}

TEST_F(SafeOutputTest, FileErrorsAreInEnglish) {
    const std::vector<std::vector<std::string>> failures = {
        {"trace", folder.file("missing.txt").string()},
        {"trace", text.string(), "--settings", folder.path().string()},
        exportTo(folder.file("no/such/folder/out.mid")),
        exportTo(folder.path()),
    };
    for (const auto& args : failures) {
        const ProcessResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_FALSE(hasJapanese(r.err)) << r.err;
        EXPECT_EQ(r.err.rfind("velmora-cli: cannot ", 0), 0u) << r.err;
    }
}

TEST_F(SafeOutputTest, SetValuesTheSettingsFileWouldNotReadAreUsageErrors) {
    for (const std::string pair : {"tempo=", "tempo=5e2", "2ch=yes"}) {
        const ProcessResult r = runCli({"trace", text.string(), "--set", pair});
        EXPECT_EQ(r.exitCode, 2) << pair;
        const std::string key = pair.substr(0, pair.find('='));
        EXPECT_NE(r.err.find(" for " + key + ": " + key + " takes "), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(SafeOutputTest, SettingsFilesOfOtherEditorsAreReadAndUtf16IsWarnedAbout) {
    const auto traceWith = [&](const std::string& settings) {
        return runCli({"trace", text.string(), "--seed", "1", "--settings", folder.write("s.ini", settings).string()});
    };
    const ProcessResult plain = traceWith("[config]\r\ntempo=400\r\npatern=5\r\n");
    const ProcessResult marked = traceWith("\xEF\xBB\xBF[config]\r\ntempo=400\r\npatern=5\r\n");
    const ProcessResult crOnly = traceWith("[config]\rtempo=400\rpatern=5\r");
    const ProcessResult defaults = runCli({"trace", text.string(), "--seed", "1", "--no-settings"});
    EXPECT_NE(plain.out, defaults.out);
    EXPECT_EQ(marked.out, plain.out);
    EXPECT_EQ(crOnly.out, plain.out);
    EXPECT_TRUE(marked.err.empty() && crOnly.err.empty());

    // Nothing of a UTF-16 file is read: every row has its read default, as for an empty file.
    const ProcessResult empty = traceWith("");
    const ProcessResult utf16 = traceWith(std::string("\xFF\xFE[\0c\0o\0n\0f\0i\0g\0]\0", 18));
    EXPECT_EQ(utf16.exitCode, 0);
    EXPECT_NE(utf16.err.find("warning"), std::string::npos);
    EXPECT_NE(utf16.err.find("UTF-16"), std::string::npos);
    EXPECT_EQ(utf16.out, empty.out);
    EXPECT_TRUE(empty.err.empty());
}

// Every kind of output against one table of cases: inputs refused, devices,
// FIFOs, a file-size limit, a signal mid-write, two writers at once, and the
// owner and mode of a replaced file, as the superuser and as another user.
struct OutputKind {
    const char* name;
    const char* command;    // play writes a capture
    const char* extension;
    bool toStandardOutput;  // "-o -", the standard output sent to the target
};

const OutputKind kOutputKinds[] = {
    {"Export", "export", ".mid", false},       {"RenderWav", "render", ".wav", false},
    {"RenderFlac", "render", ".flac", false},  {"RenderOgg", "render", ".ogg", false},
    {"RenderMp3", "render", ".mp3", false},    {"RollPng", "roll", ".png", false},
    {"RollSvg", "roll", ".svg", false},        {"Score", "score", ".musicxml", false},
    {"Capture", "play", ".cap", false},        {"ExportToStandardOutput", "export", ".mid", true},
    {"RenderToStandardOutput", "render", ".wav", true},
};

constexpr unsigned kOtherUser = 65534;  // nobody

bool isRoot() { return ::geteuid() == 0; }

// A capture ends with the stop's All Sound Off on the melody channel.
bool isWholeCapture(const std::string& capture) {
    const std::string end = " 177 120 0\n";
    return capture.size() > end.size() && capture.compare(capture.size() - end.size(), end.size(), end) == 0;
}

struct stat statOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

class EveryOutput : public ::testing::TestWithParam<OutputKind> {
protected:
    void SetUp() override { fs::permissions(folder.path(), fs::perms::all); }  // for the other user too

    const OutputKind& kind() const { return GetParam(); }
    bool writesStandardOutput() const { return kind().toStandardOutput; }
    bool isCapture() const { return std::string(kind().command) == "play"; }
    fs::path named(const std::string& stem) const { return folder.file(stem + kind().extension); }

    std::vector<std::string> args(const fs::path& target, const std::string& seed = "7",
                                  const fs::path& input = {}) const {
        const std::string from = (input.empty() ? text : input).string();
        if (isCapture()) return {"play", from, "--seed", seed, "--set", "tempo=80", "--output", "capture:" + target.string()};
        return {kind().command, from, "-o", writesStandardOutput() ? "-" : target.string(), "--seed", seed};
    }
    // Starts the command, as the other user when asked and able; -o - writes to `target`.
    RunningCli start(const std::vector<std::string>& command, const fs::path& target, bool asOtherUser = false) const {
        std::vector<std::string> argv = command;
        std::string program = VELMORA_CLI_PATH;
        if (asOtherUser && isRoot()) {
            argv.insert(argv.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", VELMORA_CLI_PATH});
            program = "setpriv";
        }
        return RunningCli(program, argv, writesStandardOutput() ? target.string() : std::string());
    }
    ProcessResult run(const std::vector<std::string>& command, const fs::path& target, bool asOtherUser = false) {
        return start(command, target, asOtherUser).wait();
    }

    TempFolder folder;
    fs::path text = folder.write("story.txt", "Hello world\r\nThe quick brown fox\r\n");
};

TEST_P(EveryOutput, RefusesItsInputsUnderEveryName) {
    if (writesStandardOutput()) GTEST_SKIP() << "the shell opens the standard output";
    const fs::path settings = folder.write("tune.ini", "[config]\ntempo=300\n");
    const fs::path own = folder.write("story.ini", "[config]\ntempo=200\n");
    fs::create_symlink(text, named("link"));
    fs::create_hard_link(text, named("hard"));
    const std::string original = readFile(text);
    std::vector<std::vector<std::string>> clashes = {args(text), args(named("link")), args(named("hard")), args(own)};
    clashes.push_back(args(settings));
    clashes.back().insert(clashes.back().end(), {"--settings", settings.string()});
    if (std::string(kind().command) != "export" && std::string(kind().command) != "roll" &&
        std::string(kind().command) != "score") {
        clashes.push_back(args(settings));
        clashes.back().insert(clashes.back().end(), {"--soundfont", settings.string(), "--no-settings"});
    }
    for (const auto& clash : clashes) {
        const ProcessResult r = run(clash, {});
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
    }
    EXPECT_EQ(readFile(text), original);
    EXPECT_EQ(readFile(settings), "[config]\ntempo=300\n");
    EXPECT_EQ(readFile(own), "[config]\ntempo=200\n");
    EXPECT_EQ(entryCount(folder.path()), 5);
}

// Nodes like the system's /dev/null and /dev/full, made in the test's folder.
TEST_P(EveryOutput, WritesDevicesInPlaceAndReportsAFullOne) {
    if (!isRoot()) GTEST_SKIP() << "making device nodes needs root";
    const fs::path null = named("null");
    const fs::path full = named("full");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "this file system does not allow device nodes";
    }
    const ProcessResult intoNull = run(args(null), null);
    EXPECT_EQ(intoNull.exitCode, 0) << intoNull.err;
    const ProcessResult intoFull = run(args(full), full);
    EXPECT_EQ(intoFull.exitCode, 1);
    EXPECT_NE(intoFull.err.find("No space left on device"), std::string::npos) << intoFull.err;
    EXPECT_TRUE(fs::is_character_file(null) && fs::is_character_file(full));
    EXPECT_EQ(entryCount(folder.path()), 3);
}

TEST_P(EveryOutput, AFifoWithoutReaderIsAnErrorNotAWait) {
    if (writesStandardOutput()) GTEST_SKIP() << "the shell would wait for a reader itself";
    const fs::path fifo = named("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const ProcessResult r = run(args(fifo), fifo);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no process reads from it"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_P(EveryOutput, AFileSizeLimitIsAWriteErrorThatKeepsTheOldFile) {
    const fs::path target = folder.write(std::string("out") + kind().extension, "old");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{256, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);  // the child inherits it
    RunningCli cli = start(args(target), target);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    const ProcessResult r = cli.wait();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    if (writesStandardOutput()) return;  // the shell's file holds what was written
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(entryCount(folder.path()), 2);
}

TEST_P(EveryOutput, ASignalMidWriteLeavesTheOldFileOrAWholeNewOne) {
    if (writesStandardOutput()) GTEST_SKIP() << "a stream has no old file";
    std::string lines;
    while (lines.size() < 1000000) lines += "The quick brown fox jumps over the lazy dog\r\n";
    const fs::path longText = folder.write("long.txt", lines);
    const fs::path target = folder.write(std::string("out") + kind().extension, "old");
    RunningCli cli(args(target, "7", longText));
    // The signal comes as soon as the new file is being written.
    while (entryCount(folder.path()) < 4 && !cli.exited()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    cli.signal(SIGINT);
    const ProcessResult r = cli.wait();
    EXPECT_EQ(entryCount(folder.path()), 3) << "a temporary file was left";
    const std::string result = readFile(target);
    if (isCapture()) {
        EXPECT_EQ(r.exitCode, 0) << "Ctrl-C ends a performance, whose capture is complete";
        EXPECT_TRUE(isWholeCapture(result)) << result;
    } else if (r.exitCode != 0) {
        EXPECT_EQ(result, "old") << r.err;
    }
}

TEST_P(EveryOutput, TwoWritersAtOnceLeaveOneWholeFile) {
    if (writesStandardOutput()) GTEST_SKIP() << "the shell opens the standard output";
    ASSERT_EQ(run(args(named("seven")), {}).exitCode, 0);
    ASSERT_EQ(run(args(named("eight"), "8"), {}).exitCode, 0);
    RunningCli first(args(named("out")));
    RunningCli second(args(named("out"), "8"));
    EXPECT_EQ(first.wait().exitCode, 0);
    EXPECT_EQ(second.wait().exitCode, 0);
    const std::string result = readFile(named("out"));
    if (isCapture()) {
        EXPECT_TRUE(isWholeCapture(result)) << result;
    } else {
        EXPECT_TRUE(result.size() == fs::file_size(named("seven")) || result.size() == fs::file_size(named("eight")))
            << result.size();
    }
    EXPECT_EQ(entryCount(folder.path()), 4);
}

// Replacing keeps the mode, owner and group; a read-only file, and one whose
// owner the writer could not give a new file, are refused and kept as they are.
TEST_P(EveryOutput, KeepsOwnerAndModeOrRefusesTheFile) {
    if (writesStandardOutput()) GTEST_SKIP() << "the shell opens the standard output";
    const fs::path mine = folder.write(std::string("mine") + kind().extension, "old");
    fs::permissions(mine, fs::perms(0640));
    if (isRoot()) {
        ASSERT_EQ(::chown(mine.c_str(), kOtherUser, kOtherUser), 0);
    }
    const ProcessResult replaced = run(args(mine), mine, true);
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_NE(readFile(mine), "old");
    EXPECT_EQ(statOf(mine).st_mode & 07777, 0640u);
    if (!isRoot()) GTEST_SKIP() << "files of other users need root";
    EXPECT_EQ(statOf(mine).st_uid, kOtherUser);

    const fs::path others = folder.write(std::string("others") + kind().extension, "old");
    fs::permissions(others, fs::perms(0666));
    ASSERT_EQ(::chown(others.c_str(), 1234, 5678), 0);
    const ProcessResult takenOver = run(args(others), others, true);
    EXPECT_EQ(takenOver.exitCode, 1);
    EXPECT_NE(takenOver.err.find("belongs to another user or group (1234:5678)"), std::string::npos) << takenOver.err;
    EXPECT_EQ(readFile(others), "old");
    const ProcessResult byRoot = run(args(others), others);
    EXPECT_EQ(byRoot.exitCode, 0) << byRoot.err;
    EXPECT_EQ(statOf(others).st_uid, 1234u);
    EXPECT_EQ(statOf(others).st_gid, 5678u);
    EXPECT_EQ(statOf(others).st_mode & 07777, 0666u);

    const fs::path readOnly = folder.write(std::string("readonly") + kind().extension, "old");
    fs::permissions(readOnly, fs::perms(0444));
    const ProcessResult refused = run(args(readOnly), readOnly);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("read-only"), std::string::npos) << refused.err;
    EXPECT_EQ(readFile(readOnly), "old");
}

INSTANTIATE_TEST_SUITE_P(OutputKinds, EveryOutput, ::testing::ValuesIn(kOutputKinds),
                         [](const ::testing::TestParamInfo<OutputKind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::testing
