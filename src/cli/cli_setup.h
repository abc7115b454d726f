#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "documents/text_document.h"
#include "options/performance_options.h"
#include "smf/build_midi_file.h"

namespace velmora::cli {

// Everything a command needs to perform a text: the options as the window would
// hold them (with the grid the rhythm handler left), the key note, and the text
// as the engine reads it.
struct CliSetup {
    PerformanceOptions options;
    std::uint8_t keyNote = 0;
    TextDocument document;
    std::vector<std::string> upperLines;
    std::vector<std::int32_t> lineStarts;
    std::uint64_t seed = 0;
};

// Options from the window's initial states, then the settings file (--settings,
// or the text's own unless --no-settings), then each --set; then the text.
// Throws UsageError for an unknown --set key, RuntimeError for unreadable files.
CliSetup prepareSetup(const CliArguments& arguments);

// Refuses a --from-line past the text's last line (UsageError naming the
// lines there are); an empty text takes any.
void checkFromLine(const CliArguments& arguments, const CliSetup& setup);

// What an export of the prepared text reads.
ExportRequest exportRequestFor(const CliSetup& setup);
// The same, taking the lines out of `setup` and dropping its document, so that
// a long text is not held several times over while the file is written. With
// `textLines` the document's own lines go along, for lyrics.
ExportRequest takeExportRequest(CliSetup& setup, bool textLines = false);

}  // namespace velmora::cli
