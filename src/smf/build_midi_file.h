#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "mapping/random_source.h"
#include "options/performance_options.h"
#include "smf/render_track.h"
#include "smf/smf_sink.h"

namespace velmora {

// Everything an export reads. The lines are the text's code-page-932 bytes,
// upper-cased; the options carry the grid the rhythm handler chose, keyNote is
// the one the pattern selection set.
struct ExportRequest {
    std::vector<std::string> playLines;
    std::vector<std::int32_t> lineStarts;  // empty: every line followed by CR LF
    PerformanceOptions options;
    std::uint8_t keyNote = 60;
    // The same lines as the text has them (not upper-cased), byte for byte
    // beside playLines: lyrics show these characters. Empty: playLines' own.
    std::vector<std::string> textLines;
    MidiLyrics lyrics = MidiLyrics::Off;
};

// An export that cannot be built or saved; what() is the message for the
// command line, windowText() the window's (the window's own Japanese text of
// a file that cannot be created, what() otherwise).
class ExportError : public std::runtime_error {
public:
    explicit ExportError(const std::string& message, std::string windowText = {})
        : std::runtime_error(message), windowText_(std::move(windowText)) {}
    std::string windowText() const { return windowText_.empty() ? std::string(what()) : windowText_; }

private:
    std::string windowText_;
};

// The key signature the file writes for a key note: sharps positive, flats
// negative, by the note's pitch class C, D♭, D, E♭, E, F, G♭, G, A♭, A, B♭, B.
inline int keySignatureSharps(std::uint8_t keyNote) {
    constexpr std::int8_t kSharpsOrFlats[12] = {0, -5, 2, -3, 4, -1, -6, 1, -4, 3, -2, 5};
    return kSharpsOrFlats[keyNote % 12];
}

inline constexpr const char* kEmptyTextMessage = "nothing to export: the text is empty";

// The largest length a chunk of the file format can state.
inline constexpr std::uint64_t kMaxChunkLength = 0xFFFFFFFFu;

// How a streamed export hands its bytes on.
struct SmfStreamLimits {
    std::uint64_t maxChunkLength = kMaxChunkLength;  // a longer track is refused (ExportError)
    std::size_t drainBytes = 4u << 20;                // buffered bytes before a patching sink receives them
};

// The file of buildMidiFile written to `sink` as it is rendered: with a sink
// that can patch, memory holds at most about `drainBytes` of it; otherwise one
// whole track. Throws ExportError for an empty text or a track too long for
// the format (the sink may have received a part of the file then). An
// observer is told of every note written to the music tracks.
void writeMidiFile(const ExportRequest& request, RandomSource& rng, SmfSink& sink,
                   const SmfStreamLimits& limits = {}, RenderObserver* observer = nullptr);

// The whole Standard MIDI File (format 1: conductor, melody and chord tracks,
// 16 ticks per quarter note) in memory. Renders on a working state of its own,
// so a running performance is not disturbed. Throws ExportError for a text
// with no line at all or a track too long for the format. An observer is told
// of every note written to the music tracks.
std::vector<std::uint8_t> buildMidiFile(const ExportRequest& request, RandomSource& rng,
                                        RenderObserver* observer = nullptr);

// Streams the file to `path` through a SafeFileWriter: an existing file there is
// replaced only by a complete new one and is left as it was when anything fails
// (a special file such as a pipe is written directly; "-" is the standard
// output). Throws ExportError for the text, FileError when the file cannot be
// written. An observer is told of every note, as writeMidiFile's is.
void exportMidiFile(const std::filesystem::path& path, const ExportRequest& request, RandomSource& rng,
                    const SmfStreamLimits& limits = {}, RenderObserver* observer = nullptr);

}  // namespace velmora
