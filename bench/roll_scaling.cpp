// The roll picture of long texts: time and peak memory of velmora-cli roll
// (SVG and PNG) for texts of 1, 2 and 20 MB, beside velmora-cli export of the
// same text, whose memory is what loading the text costs. The texts are made
// here from the reference words and removed afterwards, with the pictures.
//
// Usage: bench_roll_scaling [MEGABYTES...]   (default: 1 2 20)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "reference_text.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Run {
    int exitCode = -1;
    double seconds = 0;
    long peakKb = 0;
};

// Runs velmora-cli with its output and errors discarded; wall time and the child's peak resident memory.
Run runCli(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {VELMORA_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    Run run;
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        ::wait4(pid, &status, 0, &usage);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run.peakKb = usage.ru_maxrss;
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

fs::path writeText(const fs::path& folder, int megabytes) {
    const fs::path path = folder / ("text-" + std::to_string(megabytes) + "mb.txt");
    std::ofstream out(path, std::ios::binary);
    const std::vector<std::string> lines = velmora::bench::referenceTextLines(20000);
    std::size_t written = 0;
    for (std::size_t index = 0; written < static_cast<std::size_t>(megabytes) << 20; ++index) {
        const std::string& line = lines[index % lines.size()];
        out << line << "\r\n";
        written += line.size() + 2;
    }
    return path;
}

// The pictures a roll wrote (one, or its pages) and their bytes, removed.
std::pair<int, std::uintmax_t> takePictures(const fs::path& folder, const std::string& stem) {
    int count = 0;
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind(stem, 0) != 0) continue;
        ++count;
        bytes += entry.file_size();
        fs::remove(entry.path());
    }
    return {count, bytes};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1, 2, 20};
    char pattern[] = "/tmp/velmora-roll-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return 1;
    const fs::path folder = pattern;
    std::printf("%6s  %-7s %9s %10s %7s %10s\n", "text", "output", "seconds", "peak MB", "files", "MB written");
    for (const int megabytes : sizes) {
        const fs::path text = writeText(folder, megabytes);
        const Run exported = runCli({"export", text.string(), "-o", (folder / "music.mid").string(), "--seed", "1"});
        std::printf("%4d MB  %-7s %9.2f %10.1f %7d %10.1f\n", megabytes, "export", exported.seconds,
                    exported.peakKb / 1024.0, 1, fs::file_size(folder / "music.mid") / 1048576.0);
        fs::remove(folder / "music.mid");
        for (const char* format : {"svg", "png"}) {
            const Run rolled =
                runCli({"roll", text.string(), "-o", (folder / (std::string("roll.") + format)).string(), "--seed", "1"});
            const auto [files, bytes] = takePictures(folder, "roll");
            std::printf("%4d MB  roll %-3s %9.2f %10.1f %7d %10.1f%s\n", megabytes, format, rolled.seconds,
                        rolled.peakKb / 1024.0, files, bytes / 1048576.0,
                        rolled.exitCode == 0 ? "" : "  (failed)");
            std::fflush(stdout);
        }
        fs::remove(text);
    }
    fs::remove_all(folder);
    return 0;
}
