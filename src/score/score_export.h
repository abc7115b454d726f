#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "mapping/random_source.h"
#include "score/score_sink.h"
#include "smf/build_midi_file.h"

namespace velmora {

// The kinds of score file: MusicXML text, the compressed MusicXML container
// (.mxl), and a PDF typeset by LilyPond.
enum class ScoreFormat { MusicXml, Mxl, Pdf };

// By the extension: .musicxml or .xml, .mxl, .pdf (any case).
std::optional<ScoreFormat> scoreFormatForPath(const std::string& path);

// Followed while a score is made: progress from 0 to 1, and a request to stop
// that is looked at between notes and while LilyPond runs.
struct ScoreHooks {
    std::function<void(double done)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

// Thrown when the hooks' cancel request stops the work; nothing is left behind.
class ScoreCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "the score was cancelled"; }
};

// The message of the ExportError for a PDF without LilyPond.
inline constexpr const char* kLilyPondMissingMessage =
    "a PDF score is typeset by LilyPond, which is not installed: install the package lilypond "
    "(sudo apt-get install lilypond), or write a .musicxml or .mxl score";

// The MusicXML 4.0 score of exactly the music the MIDI export writes for the
// request (the same random choices for the same generator state), written to
// `sink` as it is made: a melody part with the text's characters as lyrics and
// a chord part on a grand staff. `title` (UTF-8) names the work. Throws
// ExportError as the export does, ScoreCancelled when cancelled.
void writeMusicXml(const ExportRequest& request, const std::string& title, RandomSource& rng, ScoreSink& sink,
                   const ScoreHooks& hooks = {});

// The score in `format` at `path`, written as the MIDI export writes its file:
// an existing file is replaced only by a complete new one, a special file is
// written directly, "-" is the standard output. Throws FileError when the
// file cannot be written, ExportError (kLilyPondMissingMessage, LilyPond's
// own complaint) or ScoreCancelled.
void exportScore(const std::string& path, ScoreFormat format, const ExportRequest& request,
                 const std::string& title, RandomSource& rng, const ScoreHooks& hooks = {});

}  // namespace velmora
