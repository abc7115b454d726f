#include "x_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

namespace {

std::vector<char*> pointers(const std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (const std::string& s : strings) result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

// Forks and runs `arguments` with `environment` (the parent's when empty),
// its standard output into `outputFd` (unchanged when negative).
pid_t spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment, int outputFd) {
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    if (outputFd >= 0) ::dup2(outputFd, STDOUT_FILENO);
    const int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, STDIN_FILENO);
    if (environment.empty()) ::execvp(argv[0], argv.data());
    else ::execvpe(argv[0], argv.data(), envp.data());
    ::_exit(127);
}

int waitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (::access((std::filesystem::path(folder) / program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

std::string runTool(const std::vector<std::string>& arguments) {
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) return {};
    const pid_t pid = spawn(arguments, {}, output[1]);
    ::close(output[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t count; (count = ::read(output[0], buffer, sizeof buffer)) > 0;) text.append(buffer, count);
    ::close(output[0]);
    return waitFor(pid, std::chrono::seconds(10)) == 0 ? text : std::string();
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
    : pid_(spawn(arguments, environment, -1)) {}

ChildProcess::~ChildProcess() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

void ChildProcess::signal(int number) const {
    if (pid_ > 0) ::kill(pid_, number);
}

int ChildProcess::wait(std::chrono::milliseconds limit) {
    const int code = waitFor(pid_, limit);
    if (code >= 0) pid_ = -1;
    return code;
}

XDisplay::XDisplay() {
    int numberPipe[2];
    if (::pipe(numberPipe) != 0) return;
    ::fcntl(numberPipe[0], F_SETFD, FD_CLOEXEC);
    pid_ = spawn({"Xvfb", "-displayfd", std::to_string(numberPipe[1]), "-screen", "0", "1280x800x24", "-nolisten",
                  "tcp"},
                 {}, -1);
    ::close(numberPipe[1]);
    // Xvfb writes the display's number once it takes connections.
    pollfd ready{numberPipe[0], POLLIN, 0};
    char number[16] = {};
    if (::poll(&ready, 1, 15000) == 1 && ::read(numberPipe[0], number, sizeof number - 1) > 0) {
        name_ = ":" + std::to_string(std::atoi(number));
        ::setenv("DISPLAY", name_.c_str(), 1);
    }
    numberFd_ = numberPipe[0];  // open while Xvfb lives: it may write the number's end later
}

XDisplay::~XDisplay() {
    if (numberFd_ >= 0) ::close(numberFd_);
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    if (waitFor(pid_, std::chrono::seconds(5)) < 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}
