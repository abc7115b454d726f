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

TEST_F(SafeOutputTest, DeviceNodesAreWrittenNotReplaced) {
    if (::geteuid() != 0) GTEST_SKIP() << "making device nodes needs root";
    const fs::path null = folder.file("null");
    const fs::path full = folder.file("full");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "this file system does not allow device nodes";
    }
    EXPECT_EQ(runCli(exportTo(null)).exitCode, 0);
    EXPECT_TRUE(fs::is_character_file(null));

    const ProcessResult noSpace = runCli(exportTo(full));
    EXPECT_EQ(noSpace.exitCode, 1);
    EXPECT_NE(noSpace.err.find("No space left on device"), std::string::npos) << noSpace.err;
    EXPECT_TRUE(fs::is_character_file(full));
    EXPECT_EQ(entryCount(folder.path()), 3);
}

TEST_F(SafeOutputTest, AnOutputThatIsAnInputIsRefusedBeforeWriting) {
    const fs::path settings = folder.write("tune.ini", "[config]\ntempo=300\n");
    const fs::path ownSettings = folder.write("story.ini", "[config]\ntempo=200\n");
    const fs::path textLink = folder.file("link.mid");
    fs::create_symlink(text, textLink);
    const fs::path textHardLink = folder.file("hard.mid");
    fs::create_hard_link(text, textHardLink);
    const std::string originalText = readFile(text);

    const std::vector<std::vector<std::string>> clashes = {
        exportTo(text),
        exportTo(textLink),
        exportTo(textHardLink),
        exportTo(ownSettings),
        {"export", text.string(), "-o", settings.string(), "--settings", settings.string()},
        {"render", text.string(), "-o", settings.string(), "--soundfont", settings.string(), "--no-settings"},
        {"score", text.string(), "-o", ownSettings.string()},
    };
    for (const auto& args : clashes) {
        const ProcessResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args[3] << ": " << r.err;
        EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
    }
    EXPECT_EQ(readFile(text), originalText);
    EXPECT_EQ(readFile(settings), "[config]\ntempo=300\n");
    EXPECT_EQ(readFile(ownSettings), "[config]\ntempo=200\n");
    EXPECT_EQ(entryCount(folder.path()), 5);
}

TEST_F(SafeOutputTest, LongOutputNameWorks) {
    const fs::path output = folder.file(std::string(250, 'm') + ".mid");
    const ProcessResult r = runCli(exportTo(output));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(output).substr(0, 4), "MThd");
    EXPECT_EQ(entryCount(folder.path()), 2);
}

TEST_F(SafeOutputTest, FileSizeLimitLeavesNoTemporaryFile) {
    std::string longText;
    while (longText.size() < 20000) longText += "The quick brown fox jumps over the lazy dog\r\n";
    folder.write("story.txt", longText);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{16 * 1024, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);  // the child inherits it
    RunningCli cli(exportTo(folder.file("out.mid")));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    const ProcessResult r = cli.wait();
    EXPECT_EQ(r.exitCode, 128 + SIGXFSZ);
    EXPECT_EQ(entryCount(folder.path()), 1);
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

}  // namespace
}  // namespace velmora::testing
