#include <unistd.h>

#include <cstdio>

#include "cli/cli_setup.h"
#include "cli/play_command.h"
#include "smf/build_midi_file.h"
#include "sound/wav_renderer.h"

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

}  // namespace

int runRender(const CliArguments& arguments) {
    const CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) throw RuntimeError(kEmptyTextMessage);
    SeededRandom rng(setup.seed);
    const std::vector<std::uint8_t> midi = BuildMidiFile(exportRequestFor(setup), rng);
    WavRenderResult result;
    {
        ProgressBar bar;
        result = renderWav(midi, arguments.outputPath, arguments.soundfont.value_or(""),
                           [&bar](double fraction) { bar.update(fraction); });
    }
    if (result.status != WavRenderResult::Status::Written) {
        throw RuntimeError(result.englishError.empty() ? result.error : result.englishError);
    }
    return 0;
}

}  // namespace velmora::cli
