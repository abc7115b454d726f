#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::testing {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs velmora-cli with the arguments (no shell involved) and collects its output.
ProcessResult runCli(const std::vector<std::string>& args);
// The same for another program found on the PATH.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& args);

// Starts velmora-cli, or another program found on the PATH, and returns at
// once; wait() collects the result. Destruction kills what still runs.
class RunningCli {
public:
    explicit RunningCli(const std::vector<std::string>& args) : RunningCli(VELMORA_CLI_PATH, args) {}
    // `standardOutput`, when given, is the file the program's output goes to
    // (appended to with `append`) instead of being collected.
    RunningCli(const std::string& program, const std::vector<std::string>& args,
               const std::string& standardOutput = {}, bool append = false);
    ~RunningCli();
    RunningCli(const RunningCli&) = delete;
    RunningCli& operator=(const RunningCli&) = delete;
    void signal(int number) const;
    int pid() const { return pid_; }
    // Whether the program has ended (without waiting for it).
    bool exited();
    ProcessResult wait();

private:
    int pid_ = -1;
    int endStatus_ = -1;  // once exited() has seen the end
    int outFd_ = -1;
    int errFd_ = -1;
    std::string outName_;
    std::string errName_;
};

// A fresh folder under the system's temporary folder, removed at destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path file(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
// How many entries a folder holds.
int entryCount(const std::filesystem::path& folder);
// The text's lines, without their line ends.
std::vector<std::string> linesOf(const std::string& text);

}  // namespace velmora::testing
