#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/performance_options.h"
#include "mapping/random_source.h"

namespace velmora {

// Everything an export reads. The lines are the text's code-page-932 bytes,
// upper-cased; the options carry the grid the rhythm handler chose, keyNote is
// the one the pattern selection set.
struct ExportRequest {
    std::vector<std::string> playLines;
    std::vector<std::int32_t> lineStarts;  // empty: every line followed by CR LF
    PerformanceOptions options;
    std::uint8_t keyNote = 60;
};

// An export that cannot be built or saved; what() is the message for the user.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kEmptyTextMessage = "nothing to export: the text is empty";

// The whole Standard MIDI File (format 1: conductor, melody and chord tracks,
// 16 ticks per quarter note) in memory. Renders on a working state of its own,
// so a running performance is not disturbed. Throws ExportError for a text
// with no line at all.
std::vector<std::uint8_t> BuildMidiFile(const ExportRequest& request, RandomSource& rng);

// Builds the file and puts it at `path` in one piece: an existing file there is
// replaced only by a complete new one and is left as it was when anything fails.
// Throws ExportError ("cannot write <path>: <reason>" when saving fails).
void exportMidiFile(const std::filesystem::path& path, const ExportRequest& request, RandomSource& rng);

}  // namespace velmora
