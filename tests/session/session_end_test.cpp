#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>

#include "cli_process.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

bool waitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::vector<std::string> xdotool(const std::vector<std::string>& args) {
    std::istringstream words(runProgram("xdotool", args).out);
    std::vector<std::string> found;
    for (std::string word; words >> word;) found.push_back(word);
    return found;
}

// The window as a user runs it on a private X display, in a private home: the
// program is copied there, so that the velmora.ini it keeps beside itself
// (outside the system's folders) is the test's own.
class SessionEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (runProgram("sh", {"-c", "command -v Xvfb && command -v xdotool"}).exitCode != 0) {
            GTEST_SKIP() << "needs Xvfb and xdotool (packages xvfb, xdotool)";
        }
        ASSERT_EQ(::pipe(displayNumber_), 0);
        xvfb_ = std::make_unique<RunningCli>(
            "Xvfb", std::vector<std::string>{"-displayfd", std::to_string(displayNumber_[1]), "-nolisten", "tcp"});
        ::close(displayNumber_[1]);
        ::fcntl(displayNumber_[0], F_SETFD, FD_CLOEXEC);
        pollfd ready{displayNumber_[0], POLLIN, 0};
        char number[16] = {};
        ASSERT_EQ(::poll(&ready, 1, 15000), 1);
        ASSERT_GT(::read(displayNumber_[0], number, sizeof number - 1), 0);
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY"}) ::unsetenv(name);
        const std::vector<std::pair<std::string, fs::path>> environment = {
            {"DISPLAY", ":" + std::to_string(std::atoi(number))}, {"HOME", home_.path()},
            {"XDG_STATE_HOME", home_.file("state")}, {"XDG_CONFIG_HOME", home_.file("config")},
            {"XDG_RUNTIME_DIR", home_.path()}};
        for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
        fs::permissions(home_.path(), fs::perms::owner_all, fs::perm_options::replace);
        fs::copy_file(VELMORA_WINDOW_PROGRAM, home_.file("velmora"));
    }
    void TearDown() override {
        if (xvfb_) xvfb_->signal(SIGTERM);  // lets Xvfb remove its socket and lock file
        if (xvfb_) xvfb_->wait();
        ::close(displayNumber_[0]);
    }

    std::unique_ptr<RunningCli> startWindow() const {
        auto window = std::make_unique<RunningCli>(home_.file("velmora").string(), std::vector<std::string>{});
        EXPECT_TRUE(waitUntil([&] { return !windowsOf(*window).empty(); })) << "no window shown";
        return window;
    }
    // The visible windows of `process`: its main window, a dialog, a menu.
    static std::vector<std::string> windowsOf(const RunningCli& process) {
        return xdotool({"search", "--onlyvisible", "--pid", std::to_string(process.pid())});
    }

    // Types into the window's text and waits until the window has taken the
    // keys: it handles keys in order, so the menu Alt+F opens after them shows
    // only once they are in.
    static void typeInto(const RunningCli& window, const std::string& text) {
        xdotool({"windowfocus", "--sync", windowsOf(window).at(0)});
        xdotool({"type", "--delay", "5", text});
        const std::size_t shown = windowsOf(window).size();
        xdotool({"key", "alt+f"});
        ASSERT_TRUE(waitUntil([&] { return windowsOf(window).size() > shown; })) << "the window took no keys";
        xdotool({"key", "Escape"});
    }

    // The recovery copy that holds `text`, if any.
    fs::path copyHolding(const std::string& text) const {
        std::error_code error;
        for (fs::directory_iterator it(home_.file("state/velmora/recovery"), error), end; !error && it != end;
             it.increment(error)) {
            if (it->path().extension() == ".recovery" && readFile(it->path()).find(text) != std::string::npos) {
                return it->path();
            }
        }
        return {};
    }

    TempFolder home_;
    int displayNumber_[2] = {-1, -1};  // Xvfb tells its number once it takes connections
    std::unique_ptr<RunningCli> xvfb_;
};

TEST_F(SessionEndTest, TerminatedWindowKeepsTheUnsavedTextAndItsSettings) {
    const auto window = startWindow();
    typeInto(*window, "sunrise over the hills");
    ASSERT_FALSE(fs::exists(home_.file("velmora.ini")));

    window->signal(SIGTERM);  // well before the copy typing leaves after some quiet seconds

    EXPECT_EQ(window->wait().exitCode, 0);
    EXPECT_FALSE(copyHolding("sunrise over the hills").empty());
    EXPECT_NE(readFile(home_.file("velmora.ini")).find('='), std::string::npos) << "no settings written";
}

TEST_F(SessionEndTest, KilledWindowOffersItsTypingAtTheNextStart) {
    auto window = startWindow();
    typeInto(*window, "evening rain");
    ASSERT_TRUE(waitUntil([&] { return !copyHolding("evening rain").empty(); })) << "no copy while typing paused";
    window->signal(SIGKILL);
    window->wait();
    const fs::path leftBehind = copyHolding("evening rain");

    window = startWindow();
    ASSERT_TRUE(waitUntil([&] { return windowsOf(*window).size() == 2; })) << "no recovery offered";
    // The question is the smaller window: Return takes its default, 復元.
    std::vector<std::string> shown = windowsOf(*window);
    const auto area = [](const std::string& id) {
        const std::vector<std::string> words = xdotool({"getwindowgeometry", id});  // ... Geometry: WxH
        int width = 0, height = 0;
        std::sscanf(words.back().c_str(), "%dx%d", &width, &height);
        return width * height;
    };
    if (area(shown[0]) < area(shown[1])) std::swap(shown[0], shown[1]);
    xdotool({"windowfocus", "--sync", shown[1]});
    xdotool({"key", "Return"});

    // Restored, the text is the new window's: kept under its own name.
    ASSERT_TRUE(waitUntil([&] { return !fs::exists(leftBehind) && !copyHolding("evening rain").empty(); }));
    window->signal(SIGTERM);
    EXPECT_EQ(window->wait().exitCode, 0);
}

}  // namespace
}  // namespace velmora::testing
