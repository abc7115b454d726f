#pragma once

#include <string>
#include <vector>

#include "documents/cp932_text.h"
#include "documents/text_document.h"
#include "engine/performance_state.h"
#include "mapping/note_names.h"
#include "smf/build_midi_file.h"

namespace velmora::testing {

// What the command line's export reads for a text document: its upper-cased
// lines, its own lines for lyrics, the key note of the options.
inline ExportRequest requestForDocument(const TextDocument& document, const PerformanceOptions& options) {
    ExportRequest request;
    request.textLines = document.lines;
    for (const std::string& line : document.lines) request.playLines.push_back(upperCp932(line));
    request.lineStarts = lineStartsOfPlainLines(request.playLines);
    request.options = options;
    request.keyNote = options.keyNote();
    return request;
}

// A text with what scores find hard: long silences, releases, a line of
// nothing, katakana whose second bytes are letters, digits and punctuation.
inline const std::string kHardText =
    "A^B    C           DEFG\r\n\r\n"
    "\x83\x81\x83\x8D\x83\x66\x83\x42\x81\x5B \x83\x4A\x83\x5E\x83\x4A\x83\x69, Mara's 1234567890;;\r\n"
    "QQQQQQQQ ^ Z,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,K\r\n";

}  // namespace velmora::testing
