#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "x_display.h"

namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The window as a user runs it, on a private display, in a private home: the
// program is copied there so that its velmora.ini (kept beside a program run
// outside the system's folders) is the test's own.
class SessionEndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (onPath("Xvfb") && onPath("xdotool")) display_ = std::make_unique<XDisplay>();
    }
    static void TearDownTestSuite() { display_.reset(); }

    void SetUp() override {
        if (!display_) GTEST_SKIP() << "needs Xvfb and xdotool (packages xvfb, xdotool)";
        ASSERT_TRUE(display_->running()) << "Xvfb did not start";
        std::string pattern = (fs::temp_directory_path() / "velmora-session-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        home_ = pattern;
        fs::create_directories(home_ / "bin");
        fs::create_directory(home_ / "run");
        fs::permissions(home_ / "run", fs::perms::owner_all, fs::perm_options::replace);
        fs::copy_file(VELMORA_WINDOW_PROGRAM, program());
    }
    void TearDown() override {
        std::error_code ignored;
        if (!home_.empty()) fs::remove_all(home_, ignored);
    }

    fs::path program() const { return home_ / "bin" / "velmora"; }
    fs::path recoveryFolder() const { return home_ / "state" / "velmora" / "recovery"; }

    std::unique_ptr<ChildProcess> startWindow() const {
        std::vector<std::string> environment = {
            "DISPLAY=" + display_->name(),     "HOME=" + home_.string(),
            "XDG_STATE_HOME=" + (home_ / "state").string(), "XDG_CONFIG_HOME=" + (home_ / "config").string(),
            "XDG_RUNTIME_DIR=" + (home_ / "run").string(), "PATH=/usr/bin:/bin", "LANG=C.UTF-8",
        };
        for (const char* kept : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
            if (const char* value = std::getenv(kept)) environment.push_back(std::string(kept) + "=" + value);
        }
        return std::make_unique<ChildProcess>(std::vector<std::string>{program().string()}, environment);
    }

    // The visible windows the process shows (the main window, a dialog, a menu).
    static std::vector<std::string> windowsOf(const ChildProcess& process) {
        std::istringstream found(runTool({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(process.pid())}));
        std::vector<std::string> windows;
        for (std::string id; found >> id;) windows.push_back(id);
        return windows;
    }

    // The smallest of `windows` by area: a dialog beside the main window.
    static std::string smallest(const std::vector<std::string>& windows) {
        std::string found;
        long smallestArea = 0;
        for (const std::string& window : windows) {
            std::istringstream shell(runTool({"xdotool", "getwindowgeometry", "--shell", window}));
            long width = 0, height = 0;
            for (std::string line; std::getline(shell, line);) {
                if (line.rfind("WIDTH=", 0) == 0) width = std::stol(line.substr(6));
                if (line.rfind("HEIGHT=", 0) == 0) height = std::stol(line.substr(7));
            }
            if (found.empty() || width * height < smallestArea) found = window, smallestArea = width * height;
        }
        return found;
    }

    // Types `text` into the window's focused control (the text) and waits
    // until the window has taken it: keys are handled in order, so the menu
    // that Alt+F opens after them shows only once they are.
    static void typeInto(const ChildProcess& process, const std::string& window, const std::string& text) {
        runTool({"xdotool", "windowfocus", "--sync", window});
        runTool({"xdotool", "type", "--delay", "5", text});
        const std::size_t shown = windowsOf(process).size();
        runTool({"xdotool", "key", "alt+f"});
        ASSERT_TRUE(waitUntil([&] { return windowsOf(process).size() > shown; })) << "the window took no keys";
        runTool({"xdotool", "key", "Escape"});
        ASSERT_TRUE(waitUntil([&] { return windowsOf(process).size() == shown; }));
    }

    // The recovery copies and what each holds.
    std::vector<std::pair<fs::path, std::string>> recoveryCopies() const {
        std::vector<std::pair<fs::path, std::string>> copies;
        std::error_code error;
        for (fs::directory_iterator it(recoveryFolder(), error), end; !error && it != end; it.increment(error)) {
            if (it->path().extension() == ".recovery") copies.emplace_back(it->path(), contentOf(it->path()));
        }
        return copies;
    }
    bool aCopyHolds(const std::string& text) const {
        for (const auto& copy : recoveryCopies()) {
            if (copy.second.find(text) != std::string::npos) return true;
        }
        return false;
    }

    static std::unique_ptr<XDisplay> display_;
    fs::path home_;
};

std::unique_ptr<XDisplay> SessionEndTest::display_;

TEST_F(SessionEndTest, TerminatedWindowKeepsTheUnsavedTextAndItsSettings) {
    const auto window = startWindow();
    ASSERT_TRUE(waitUntil([&] { return !windowsOf(*window).empty(); })) << "no window shown";
    typeInto(*window, windowsOf(*window).front(), "sunrise over the hills");
    const fs::path settings = home_ / "bin" / "velmora.ini";
    ASSERT_FALSE(fs::exists(settings));

    window->signal(SIGTERM);  // well before the copy typing would leave after some quiet seconds

    EXPECT_EQ(window->wait(), 0);
    EXPECT_TRUE(aCopyHolds("sunrise over the hills"));
    EXPECT_NE(contentOf(settings).find('='), std::string::npos) << "no settings written";
}

TEST_F(SessionEndTest, KilledWindowOffersItsTypingAtTheNextStart) {
    {
        const auto window = startWindow();
        ASSERT_TRUE(waitUntil([&] { return !windowsOf(*window).empty(); })) << "no window shown";
        typeInto(*window, windowsOf(*window).front(), "evening rain");
        ASSERT_TRUE(waitUntil([&] { return aCopyHolds("evening rain"); })) << "no copy kept while typing paused";
        window->signal(SIGKILL);
        window->wait();
    }
    const fs::path leftBehind = recoveryCopies().at(0).first;

    const auto next = startWindow();
    // The main window and the question about the copy.
    ASSERT_TRUE(waitUntil([&] { return windowsOf(*next).size() == 2; })) << "no recovery offered";
    runTool({"xdotool", "windowfocus", "--sync", smallest(windowsOf(*next))});
    runTool({"xdotool", "key", "Return"});  // 復元, the default answer

    // The restored text is the new window's: its copy now, kept under its own name.
    ASSERT_TRUE(waitUntil([&] { return !fs::exists(leftBehind) && aCopyHolds("evening rain"); }));
    next->signal(SIGTERM);
    EXPECT_EQ(next->wait(), 0);
    EXPECT_TRUE(aCopyHolds("evening rain"));
}

}  // namespace
