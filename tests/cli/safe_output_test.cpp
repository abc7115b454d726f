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

}  // namespace
}  // namespace velmora::testing
