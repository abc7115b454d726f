#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// A private X display (Xvfb) and the processes a test runs on it.

// Whether `program` is found on PATH.
bool onPath(const std::string& program);

// Runs `arguments` (no shell) and returns its standard output; empty when it
// fails.
std::string runTool(const std::vector<std::string>& arguments);

// Polls `done` until it holds or `limit` passes.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(15));

// A child process, ended with SIGKILL if it still runs when dropped.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& environment);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int number) const;
    // The exit code, 128 + the signal's number for a killed process, or -1
    // when it has not ended within `limit`.
    int wait(std::chrono::milliseconds limit = std::chrono::seconds(15));

private:
    pid_t pid_ = -1;
};

// Xvfb on the first free display number; DISPLAY names it for this process.
class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool running() const { return !name_.empty(); }
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    int numberFd_ = -1;
    std::string name_;
};
