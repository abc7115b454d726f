#include "cli/terminal.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "documents/process_signals.h"

namespace velmora::cli {

struct Terminal::Saved {
    termios mode;
};

namespace {

// The mode to give back when a signal ends the process while keys are read.
termios modeToRestore;

extern "C" void restoreTerminalMode() { tcsetattr(STDIN_FILENO, TCSANOW, &modeToRestore); }

}  // namespace

Terminal::Terminal() {
    status_ = isatty(STDOUT_FILENO) != 0;
    if (isatty(STDIN_FILENO) == 0) return;
    termios mode{};
    if (tcgetattr(STDIN_FILENO, &mode) != 0) return;
    saved_ = new Saved{mode};
    modeToRestore = mode;
    ProcessSignals::setLastWords(restoreTerminalMode);
    mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    mode.c_cc[VMIN] = 0;
    mode.c_cc[VTIME] = 0;
    keys_ = tcsetattr(STDIN_FILENO, TCSANOW, &mode) == 0;
}

Terminal::~Terminal() {
    finishStatus();
    if (saved_ != nullptr) {
        ProcessSignals::setLastWords(nullptr);
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_->mode);
    }
    delete saved_;
}

std::optional<char> Terminal::pollKey() {
    if (!keys_) return std::nullopt;
    char key = 0;
    if (read(STDIN_FILENO, &key, 1) != 1) return std::nullopt;
    return key;
}

int Terminal::width() const {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 10) return size.ws_col;
    return 80;
}

void Terminal::showStatus(const std::string& line) {
    if (!status_) return;
    std::fputs("\r\x1b[K", stdout);
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
    statusShown_ = true;
}

void Terminal::finishStatus() {
    if (!statusShown_) return;
    std::fputs("\n", stdout);
    std::fflush(stdout);
    statusShown_ = false;
}

}  // namespace velmora::cli
