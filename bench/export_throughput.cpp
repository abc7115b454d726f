// Export throughput: streams the MIDI file of English-like texts of 5 and 10 MB
// to a file (as velmora-cli export does, flushed to disk) and compares the
// time with md5sum reading the written file; then runs velmora-cli export on
// the text and compares its peak memory with the file's size.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "midi/midi_bytes.h"
#include "smf/build_midi_file.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;
constexpr std::size_t kLineLength = 60;

// Upper-cased lines of about 60 characters from a fixed vocabulary, the same on every run.
std::vector<std::string> englishLikeText(std::size_t bytes) {
    static const std::array<const char*, 40> kWords = {
        "THE",  "OF",   "AND",  "TO",   "IN",    "IS",    "YOU",   "THAT",  "IT",      "HE",
        "WAS",  "FOR",  "ON",   "ARE",  "AS",    "WITH",  "HIS",   "THEY",  "AT",      "BE",
        "THIS", "HAVE", "FROM", "OR",   "ONE",   "HAD",   "BY",    "WORD",  "BUT",     "NOT",
        "WHAT", "ALL",  "WERE", "WHEN", "RIVER", "MUSIC", "LIGHT", "QUIET", "JOURNEY", "EVENING"};
    velmora::SeededRandom rng(2024);
    std::vector<std::string> lines;
    std::size_t total = 0;
    std::string line;
    while (total < bytes) {
        std::string word = kWords[rng.below(static_cast<int>(kWords.size()))];
        const int mark = rng.below(12);
        if (mark == 0) word += ',';
        if (mark == 1) word += '.';
        if (!line.empty() && line.size() + 1 + word.size() > kLineLength) {
            total += line.size() + 2;
            lines.push_back(std::move(line));
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += word;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::uint32_t readQuantity(const std::vector<std::uint8_t>& data, std::size_t& offset) {
    std::uint32_t value = 0;
    std::uint8_t byte = 0;
    do {
        byte = data[offset++];
        value = (value << 7) | (byte & 0x7F);
    } while (byte & 0x80);
    return value;
}

// Events in the track chunks of a file that the writer produced (no running status).
std::size_t countEvents(const std::vector<std::uint8_t>& file) {
    std::size_t events = 0;
    std::size_t offset = 14;
    while (offset + 8 <= file.size()) {
        const std::size_t length = (std::size_t{file[offset + 4]} << 24) |
                                   (std::size_t{file[offset + 5]} << 16) |
                                   (std::size_t{file[offset + 6]} << 8) | file[offset + 7];
        std::size_t at = offset + 8;
        const std::size_t end = at + length;
        while (at < end) {
            readQuantity(file, at);
            const std::uint8_t status = file[at];
            if (status == 0xFF) {
                at += 2;
                at += readQuantity(file, at);
            } else {
                at += velmora::midi_bytes::shortMessageLength(status);
            }
            ++events;
        }
        offset = end;
    }
    return events;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;  // kilobytes on Linux
}

struct Result {
    double textMiB = 0;
    double exportSeconds = 0;
    double md5Seconds = 0;
    std::size_t fileBytes = 0;
    std::size_t events = 0;
    long peakMiB = 0;
    double cliSeconds = 0;
    long cliPeakMiB = 0;
};


// Runs the export under GNU time for its peak memory: the rusage of a child
// spawned from here would count this process's memory, which it shares until exec.
bool runCliExport(const std::string& text, const std::string& output, long& peakMiB) {
    const std::string report = output + ".rss";
    std::vector<std::string> args = {"/usr/bin/time", "-f", "%M", "-o", report, VELMORA_CLI_PATH, "export", text,
                                     "-o", output, "--no-settings", "--seed", "1"};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0].c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    long kilobytes = 0;
    std::ifstream(report) >> kilobytes;
    std::filesystem::remove(report);
    peakMiB = std::max(peakMiB, kilobytes / 1024);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void writeText(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (const auto& line : lines) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fwrite("\r\n", 1, 2, file);
    }
    std::fclose(file);
}

Result measure(std::size_t textBytes) {
    velmora::ExportRequest request;
    request.playLines = englishLikeText(textBytes);
    std::size_t actualBytes = 0;
    for (const auto& line : request.playLines) actualBytes += line.size() + 2;

    Result result;
    result.textMiB = actualBytes / (1024.0 * 1024.0);
    const auto base = std::filesystem::temp_directory_path() /
                      ("velmora-bench-" + std::to_string(getpid()) + "-" + std::to_string(textBytes));
    const auto path = base.string() + ".mid";
    std::vector<double> exportTimes;
    for (int run = 0; run < kRuns; ++run) {
        velmora::SeededRandom rng(1);
        const auto start = Clock::now();
        velmora::exportMidiFile(path, request, rng);
        exportTimes.push_back(seconds(start));
    }
    result.exportSeconds = median(exportTimes);
    result.fileBytes = std::filesystem::file_size(path);
    {
        velmora::SeededRandom rng(1);
        result.events = countEvents(velmora::buildMidiFile(request, rng));
    }
    result.peakMiB = peakMemoryMiB();

#ifdef VELMORA_CLI_PATH
    const auto textPath = base.string() + ".txt";
    writeText(textPath, request.playLines);
    std::vector<double> cliTimes;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        if (!runCliExport(textPath, path, result.cliPeakMiB)) std::fprintf(stderr, "velmora-cli export failed\n");
        cliTimes.push_back(seconds(start));
    }
    result.cliSeconds = median(cliTimes);
    std::filesystem::remove(textPath);
#endif

    const std::string command = "md5sum '" + path + "' >/dev/null";
    std::vector<double> md5Times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "md5sum failed\n");
        md5Times.push_back(seconds(start));
    }
    result.md5Seconds = median(md5Times);
    std::filesystem::remove(path);
    return result;
}

}  // namespace

int main() {
    const Result small = measure(5u << 20);
    const Result large = measure(10u << 20);

    std::printf("%-6s %10s %10s %10s %10s %12s %10s %10s %12s\n", "text", "export ms", "MB/s", "events",
                "ns/event", "file bytes", "md5sum ms", "ratio", "peak RSS MiB");
    for (const Result* r : {&small, &large}) {
        std::printf("%4.1fMB %10.1f %10.2f %10zu %10.1f %12zu %10.1f %10.2f %12ld\n", r->textMiB,
                    r->exportSeconds * 1e3, r->textMiB / r->exportSeconds, r->events,
                    r->exportSeconds * 1e9 / static_cast<double>(r->events), r->fileBytes,
                    r->md5Seconds * 1e3, r->exportSeconds / r->md5Seconds, r->peakMiB);
    }
    const double scaling = large.exportSeconds / small.exportSeconds;
    std::printf("10MB / 5MB export time: %.2f (linear is 2.0, goal <= 2.2)\n", scaling);
    std::printf("export / md5sum: %.2f and %.2f (goal <= 8)\n", small.exportSeconds / small.md5Seconds,
                large.exportSeconds / large.md5Seconds);
#ifdef VELMORA_CLI_PATH
    for (const Result* r : {&small, &large}) {
        const double fileMiB = static_cast<double>(r->fileBytes) / (1024.0 * 1024.0);
        std::printf("velmora-cli export %4.1fMB: %.1f ms, %.2f x md5sum (goal <= 8); peak %ld MiB = %.2f x the "
                    "file (goal <= 1.5)\n",
                    r->textMiB, r->cliSeconds * 1e3, r->cliSeconds / r->md5Seconds, r->cliPeakMiB,
                    static_cast<double>(r->cliPeakMiB) / fileMiB);
    }
#endif
    return 0;
}
