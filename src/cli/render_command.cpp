#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "cli/cli_setup.h"
#include "cli/play_command.h"
#include "documents/process_signals.h"
#include "smf/build_midi_file.h"
#include "sound/audio_file_renderer.h"

namespace velmora::cli {

namespace {

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
    CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) throw RuntimeError(kEmptyTextMessage);
    SeededRandom rng(setup.seed);
    const std::vector<std::uint8_t> midi = buildMidiFile(takeExportRequest(setup), rng);
    const AudioRenderRequest request{midi, arguments.outputPath, format, arguments.soundfont.value_or(""),
                                     std::filesystem::path(arguments.textPath).stem().string()};
    AudioRenderResult result;
    {
        const ProcessSignals::Interruptible interruptible;
        ProgressBar bar;
        result = renderAudioFile(
            request, [&bar](double fraction) { bar.update(fraction); }, &ProcessSignals::interrupted());
    }
    if (result.status == AudioRenderResult::Status::Cancelled) {
        throw RuntimeError("render interrupted: " + arguments.outputPath + " was not written");
    }
    if (result.fileError) throw *result.fileError;
    if (result.status != AudioRenderResult::Status::Written) throw RuntimeError(result.error);
    return 0;
}

}  // namespace velmora::cli
