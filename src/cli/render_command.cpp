#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "cli/cli_setup.h"
#include "cli/play_command.h"
#include "smf/build_midi_file.h"
#include "sound/audio_file_renderer.h"

namespace velmora::cli {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void interruptRender(int) { interrupted.store(true); }

// While rendering, Ctrl-C, SIGTERM and SIGHUP cancel the render, so that its
// temporary file is removed; a file-size limit makes the write fail instead of
// killing the process.
class RenderSignals {
public:
    RenderSignals() {
        struct sigaction action {};
        action.sa_handler = interruptRender;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kCancelling.size(); ++i) sigaction(kCancelling[i], &action, &old_[i]);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &oldFileSize_);
    }
    ~RenderSignals() {
        for (std::size_t i = 0; i < kCancelling.size(); ++i) sigaction(kCancelling[i], &old_[i], nullptr);
        sigaction(SIGXFSZ, &oldFileSize_, nullptr);
    }

private:
    static constexpr std::array<int, 3> kCancelling = {SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, 3> old_{};
    struct sigaction oldFileSize_ {};
};

// A bar on standard error when it is a terminal; nothing otherwise.
class ProgressBar {
public:
    ProgressBar() : shown_(isatty(STDERR_FILENO) != 0) {}
    ~ProgressBar() {
        if (drawn_) std::fputs("\n", stderr);
    }
    void update(double fraction) {
        if (!shown_) return;
        const int percent = static_cast<int>(fraction * 100.0 + 0.5);
        if (percent == lastPercent_) return;
        lastPercent_ = percent;
        constexpr int kWidth = 40;
        const int filled = percent * kWidth / 100;
        std::fprintf(stderr, "\rrendering [%.*s%*s] %3d%%", filled, "########################################",
                     kWidth - filled, "", percent);
        std::fflush(stderr);
        drawn_ = true;
    }

private:
    bool shown_;
    bool drawn_ = false;
    int lastPercent_ = -1;
};

// The format the output's extension names; WAV for a name without one (a
// device such as /dev/null). Another extension is a usage error.
AudioFileFormat outputFormat(const std::string& path) {
    if (const auto format = audioFileFormatForPath(path)) return *format;
    if (std::filesystem::path(path).extension().empty()) return AudioFileFormat::Wav;
    throw UsageError("render writes " + audioFileExtensionList() + " files, chosen by the extension of -o, not \"" +
                     std::filesystem::path(path).extension().string() + "\"");
}

}  // namespace

int runRender(const CliArguments& arguments) {
    const AudioFileFormat format = outputFormat(arguments.outputPath);
    const CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) throw RuntimeError(kEmptyTextMessage);
    SeededRandom rng(setup.seed);
    const std::vector<std::uint8_t> midi = BuildMidiFile(exportRequestFor(setup), rng);
    const AudioRenderRequest request{midi, arguments.outputPath, format, arguments.soundfont.value_or(""),
                                     std::filesystem::path(arguments.textPath).stem().string()};
    AudioRenderResult result;
    {
        RenderSignals signals;
        ProgressBar bar;
        result = renderAudioFile(request, [&bar](double fraction) { bar.update(fraction); }, &interrupted);
    }
    if (result.status == AudioRenderResult::Status::Cancelled) {
        throw RuntimeError("render interrupted: " + arguments.outputPath + " was not written");
    }
    if (result.status != AudioRenderResult::Status::Written) {
        throw RuntimeError(result.englishError.empty() ? result.error : result.englishError);
    }
    return 0;
}

}  // namespace velmora::cli
