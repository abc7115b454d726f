#include "cli/score_command.h"

#include <filesystem>

#include "cli/cli_setup.h"
#include "documents/process_signals.h"
#include "score/score_export.h"

namespace velmora::cli {

namespace {

// The format the output's extension names; MusicXML for a name without one
// (the standard output, a device). Another extension is a usage error.
ScoreFormat outputFormat(const std::string& path) {
    if (const auto format = scoreFormatForPath(path)) return *format;
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension.empty()) return ScoreFormat::MusicXml;
    throw UsageError(
        "score writes .musicxml (or .xml), .mxl or .pdf files, chosen by the extension of -o, not \"" +
        extension + "\"");
}

}  // namespace

int runScore(const CliArguments& arguments) {
    const ScoreFormat format = outputFormat(arguments.outputPath);
    CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) throw RuntimeError(kEmptyTextMessage);
    const std::string title = std::filesystem::path(arguments.textPath).stem().string();
    SeededRandom rng(setup.seed);
    const ExportRequest request = takeExportRequest(setup, true);
    const ProcessSignals::Interruptible interruptible;
    try {
        exportScore(arguments.outputPath, format, request, title, rng, {{}, &ProcessSignals::interrupted()});
    } catch (const ScoreCancelled&) {
        throw RuntimeError("score interrupted: " + arguments.outputPath + " was not written");
    }
    return 0;
}

}  // namespace velmora::cli
