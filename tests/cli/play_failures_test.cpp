// play: an output the user named that cannot be opened or written is an
// error (exit 1, nothing played); every stop signal ends the play cleanly.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <utmp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "cli_process.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

class PlayFailureTest : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path text = folder.write("song.txt", "Hello world\r\n");

    ProcessResult playTo(const std::vector<std::string>& output) const {
        std::vector<std::string> args = {"play", text.string(), "--seed", "1"};
        args.insert(args.end(), output.begin(), output.end());
        return runCli(args);
    }
};

TEST_F(PlayFailureTest, NamedOutputsThatCannotOpenAreErrors) {
    const fs::path notSoundfont = folder.write("fake.sf2", "not a soundfont");
    const std::vector<std::vector<std::string>> failures = {
        {"--output", "port:no-such-port-anywhere"},
        {"--output", "capture:" + folder.file("missing/folder/c.txt").string()},
        {"--soundfont", folder.file("missing.sf2").string()},
        {"--output", "fluidsynth", "--soundfont", notSoundfont.string()},
    };
    for (const auto& output : failures) {
        const auto started = std::chrono::steady_clock::now();
        const ProcessResult r = playTo(output);
        EXPECT_EQ(r.exitCode, 1) << output.back() << ": " << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2)) << "nothing was played";
    }
}

TEST_F(PlayFailureTest, CaptureFifoWithoutReaderIsAnErrorNotAWait) {
    const fs::path fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const ProcessResult r = playTo({"--output", "capture:" + fifo.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no process reads from it"), std::string::npos) << r.err;

    // With a reader the capture goes through the FIFO, to the stop's All Sound Off.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    RunningCli player({"play", text.string(), "--seed", "1", "--output", "capture:" + fifo.string()});
    std::string received;
    char buffer[4096];
    for (int i = 0; i < 1000 && received.find(" 177 120 0\n") == std::string::npos; ++i) {
        const ssize_t n = ::read(reader, buffer, sizeof buffer);
        if (n > 0) received.append(buffer, static_cast<std::size_t>(n));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(player.wait().exitCode, 0);
    ::close(reader);
    EXPECT_NE(received.find(" 176 120 0\n"), std::string::npos) << received;
}

TEST_F(PlayFailureTest, CaptureWriteErrorsAreReported) {
    if (::geteuid() != 0) GTEST_SKIP() << "making device nodes needs root";
    const fs::path full = folder.file("full");
    if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) GTEST_SKIP() << "no device nodes here";
    const ProcessResult r = playTo({"--output", "capture:" + full.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(full.string()), std::string::npos) << r.err;
}

TEST_F(PlayFailureTest, CaptureOverTheTextIsRefused) {
    const std::string before = readFile(text);
    const ProcessResult r = playTo({"--output", "capture:" + text.string()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(readFile(text), before);
}

TEST_F(PlayFailureTest, HangupAndQuitStopCleanlyWithAllSoundOff) {
    const fs::path longText = folder.write("long.txt", std::string(400, 'a') + "\r\n");
    for (int number : {SIGHUP, SIGQUIT, SIGINT}) {
        const fs::path capture = folder.file("capture-" + std::to_string(number) + ".txt");
        RunningCli player({"play", longText.string(), "--seed", "1", "--output", "capture:" + capture.string()});
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        player.signal(number);
        const ProcessResult r = player.wait();
        EXPECT_EQ(r.exitCode, 0) << "signal " << number << ": " << r.err;
        const std::string captured = readFile(capture);
        EXPECT_NE(captured.find(" 176 120 0\n"), std::string::npos) << "signal " << number;
        EXPECT_NE(captured.rfind(" 177 120 0\n"), std::string::npos) << "signal " << number;
    }
}

// play on a terminal reads keys with echo off; a capture that meets a
// file-size limit ends the play with an error, and the terminal gets its echo back.
TEST_F(PlayFailureTest, AnEndByAWriteErrorGivesTheTerminalBackItsMode) {
    const fs::path shortText = folder.write("short.txt", std::string(40, 'a') + "\r\n");
    const std::string capture = "capture:" + folder.file("capture.txt").string();
    int terminal = -1;
    int player = -1;
    ASSERT_EQ(::openpty(&terminal, &player, nullptr, nullptr, nullptr), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(terminal);
        ::login_tty(player);
        const rlimit limit{256, 256};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::execl(VELMORA_CLI_PATH, VELMORA_CLI_PATH, "play", shortText.c_str(), "--seed", "1", "--set", "tempo=80",
                "--output", capture.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::fcntl(terminal, F_SETFL, O_NONBLOCK);
    std::string shown;
    char buffer[512];
    int status = 0;
    for (bool ended = false; !ended;) {  // the terminal's output is read as it comes, so that it never fills
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
        for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<std::size_t>(n));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    termios mode{};
    ASSERT_EQ(::tcgetattr(player, &mode), 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status << ": " << shown;
    EXPECT_NE(shown.find("File too large"), std::string::npos) << shown;
    EXPECT_TRUE((mode.c_lflag & ECHO) && (mode.c_lflag & ICANON)) << "the terminal was left without echo";
    ::close(terminal);
    ::close(player);
}

TEST_F(PlayFailureTest, ExportAndRenderWordAFailedWriteAlike) {
    const std::string target = folder.file("missing/out").string();
    const ProcessResult exported = runCli({"export", text.string(), "-o", target});
    const ProcessResult rendered = runCli({"render", text.string(), "-o", target});
    if (rendered.err.find("soundfont") != std::string::npos) GTEST_SKIP() << rendered.err;
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_EQ(rendered.exitCode, 1);
    EXPECT_EQ(exported.err, "velmora-cli: cannot write " + target + ": No such file or directory\n");
    EXPECT_EQ(rendered.err, exported.err);
}

}  // namespace
}  // namespace velmora::testing
