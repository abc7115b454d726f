#include "cli/cli_commands.h"

#include <iostream>

#include "cli/cli_setup.h"
#include "cli/output_guard.h"
#include "cli/score_command.h"
#include "cli/trace_command.h"
#ifdef VELMORA_HAVE_SOUND
#include "cli/play_command.h"
#endif
#include "smf/build_midi_file.h"
#ifdef VELMORA_HAVE_ROLL
#include "cli/roll_command.h"
#endif

namespace velmora::cli {

namespace {

int runExport(const CliArguments& arguments) {
    CliSetup setup = prepareSetup(arguments);
    if (setup.upperLines.empty()) throw RuntimeError(kEmptyTextMessage);
    SeededRandom rng(setup.seed);
    ExportRequest request = takeExportRequest(setup, arguments.lyrics);
    if (arguments.lyrics) request.lyrics = arguments.lyricsInCp932 ? MidiLyrics::Cp932 : MidiLyrics::Utf8;
    exportMidiFile(arguments.outputPath, request, rng);
    return 0;
}

int runTraceCommand(const CliArguments& arguments) {
    const CliSetup setup = prepareSetup(arguments);
    checkFromLine(arguments, setup);
    std::ios::sync_with_stdio(false);
    runTrace(setup, arguments.fromLine, std::cout);
    std::cout.flush();
    if (!std::cout) throw RuntimeError("cannot write the trace to standard output");
    return 0;
}

}  // namespace

int runCommand(const CliArguments& arguments) {
    checkOutput(arguments, arguments.outputPath);
    if (arguments.command == "export") return runExport(arguments);
    if (arguments.command == "score") return runScore(arguments);
    if (arguments.command == "trace") return runTraceCommand(arguments);
#ifdef VELMORA_HAVE_ROLL
    if (arguments.command == "roll") return runRoll(arguments);
#endif
#ifdef VELMORA_HAVE_SOUND
    if (arguments.command == "play") return runPlay(arguments);
    if (arguments.command == "render") return runRender(arguments);
#endif
    throw UsageError(arguments.command + " is not available in this build");
}

}  // namespace velmora::cli
