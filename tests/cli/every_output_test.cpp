// Every kind of output the tool writes, against the same table of cases.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <future>
#include <string>
#include <thread>

#include "cli_process.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

// Every kind of output against one table of cases: inputs and hard links
// refused, names kept byte for byte, devices, FIFOs with and without a reader,
// streams appended, a file-size limit, a signal mid-write, two writers at
// once, and the owner and mode of a replaced file, as the superuser and as
// another user.
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

// A WAV's samples: its data chunk, to the end of a stream, whose length is open.
std::string wavSamples(const std::string& file) {
    for (std::size_t at = 12; at + 8 <= file.size();) {
        std::uint32_t size = 0;
        for (int i = 3; i >= 0; --i) size = size << 8 | static_cast<unsigned char>(file[at + 4 + static_cast<std::size_t>(i)]);
        if (file.compare(at, 4, "data") == 0) return file.substr(at + 8, size);
        at += 8 + size + (size & 1);
    }
    return {};
}

// A stream and the file of the same music: a WAV has the same samples (the
// file's also carries the title tag); any other file has the same length (a
// file's encoder rewrites lengths and checksums in its header in place).
void expectSameSound(const std::string& stream, const std::string& file) {
    if (file.compare(0, 4, "RIFF") == 0) {
        EXPECT_TRUE(wavSamples(stream) == wavSamples(file)) << "the samples differ";
    } else {
        EXPECT_EQ(stream.size(), file.size());
    }
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

// A reader on the FIFO gets the file as a regular file holds it: no header
// rewritten at the end as stray bytes.
TEST_P(EveryOutput, AFifoWithAReaderGetsTheWholeFile) {
    if (writesStandardOutput()) GTEST_SKIP() << "the shell opens the standard output";
    const fs::path fifo = named("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto received = std::async(std::launch::async, [&] { return readFile(fifo); });
    const ProcessResult streamed = run(args(fifo), fifo);
    const std::string bytes = received.get();
    EXPECT_EQ(streamed.exitCode, 0) << streamed.err;
    if (isCapture()) {
        EXPECT_TRUE(isWholeCapture(bytes)) << bytes;
        return;
    }
    ASSERT_EQ(run(args(named("file")), {}).exitCode, 0);
    expectSameSound(bytes, readFile(named("file")));
}

// What the standard output appends to a file is a stream: written once, its
// header never rewritten at the end.
TEST_P(EveryOutput, AStreamAppendedToAFileIsWrittenOnce) {
    if (!writesStandardOutput()) GTEST_SKIP() << "only the standard output is appended to";
    const fs::path written = named("written");
    const fs::path appended = named("appended");
    ASSERT_EQ(run(args(written), written).exitCode, 0);
    const ProcessResult r = RunningCli(VELMORA_CLI_PATH, args(appended), appended.string(), true).wait();
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string stream = readFile(appended);
    expectSameSound(stream, readFile(written));
    if (std::string(kind().extension) == ".wav") {
        EXPECT_EQ(stream.substr(0, 8), std::string("RIFF\xff\xff\xff\xff")) << "a stream's length is open";
    }
}

// Names are bytes: one that is not UTF-8 is written as it stands, and a file
// that has other names is refused and stays shared with them.
TEST_P(EveryOutput, KeepsTheNamesBytesAndRefusesAFileWithOtherNames) {
    if (writesStandardOutput()) GTEST_SKIP() << "the shell opens the standard output";
    const fs::path odd = named("out\xff" "b");
    const ProcessResult kept = run(args(odd), {});
    EXPECT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_TRUE(fs::exists(odd));

    const fs::path other = folder.write("other.txt", "shared");
    fs::create_hard_link(other, named("link"));
    const ProcessResult refused = run(args(named("link")), {});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("hard links"), std::string::npos) << refused.err;
    EXPECT_EQ(readFile(other), "shared");
    EXPECT_EQ(fs::hard_link_count(other), 2u);
    EXPECT_EQ(entryCount(folder.path()), 4);
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
