#include "cli_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace velmora::testing {

namespace {

std::string slurpAndClose(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

}  // namespace

RunningCli::RunningCli(const std::string& program, const std::vector<std::string>& args,
                       const std::string& standardOutput, bool append) {
    // Output goes to files so that a large trace cannot fill a pipe and stall.
    char outName[] = "/tmp/velmora-cli-out-XXXXXX";
    char errName[] = "/tmp/velmora-cli-err-XXXXXX";
    outFd_ = mkstemp(outName);
    errFd_ = mkstemp(errName);
    if (outFd_ < 0 || errFd_ < 0) throw std::runtime_error("cannot create capture files");
    outName_ = outName;
    errName_ = errName;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (standardOutput.empty()) {
        posix_spawn_file_actions_adddup2(&actions, outFd_, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, standardOutput.c_str(),
                                         O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC), 0644);
    }
    posix_spawn_file_actions_adddup2(&actions, errFd_, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargs;
    for (auto& a : argv) cargs.push_back(a.data());
    cargs.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, cargs.data(), environ) == 0) pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
}

RunningCli::~RunningCli() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (outFd_ >= 0) close(outFd_);
    if (errFd_ >= 0) close(errFd_);
    if (!outName_.empty()) unlink(outName_.c_str());
    if (!errName_.empty()) unlink(errName_.c_str());
}

void RunningCli::signal(int number) const {
    if (pid_ > 0) kill(pid_, number);
}

bool RunningCli::exited() {
    if (pid_ > 0 && waitpid(pid_, &endStatus_, WNOHANG) == pid_) pid_ = -1;
    return pid_ <= 0;
}

ProcessResult RunningCli::wait() {
    ProcessResult result;
    if (pid_ > 0) {
        waitpid(pid_, &endStatus_, 0);
        pid_ = -1;
    }
    if (endStatus_ >= 0) {
        result.exitCode = WIFEXITED(endStatus_) ? WEXITSTATUS(endStatus_) : 128 + WTERMSIG(endStatus_);
    }
    lseek(outFd_, 0, SEEK_SET);
    lseek(errFd_, 0, SEEK_SET);
    result.out = slurpAndClose(outFd_);
    result.err = slurpAndClose(errFd_);
    outFd_ = errFd_ = -1;
    return result;
}

ProcessResult runCli(const std::vector<std::string>& args) { return RunningCli(args).wait(); }

ProcessResult runProgram(const std::string& program, const std::vector<std::string>& args) {
    return RunningCli(program, args).wait();
}

TempFolder::TempFolder() {
    char name[] = "/tmp/velmora-test-XXXXXX";
    if (mkdtemp(name) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    path_ = name;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::write(const std::string& name, const std::string& bytes) const {
    const auto path = file(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int entryCount(const std::filesystem::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace velmora::testing
