#include "score/score_export.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <limits>

#include "documents/safe_file_writer.h"
#include "engine/range_fitting.h"
#include "score/gm_instrument_names.h"
#include "score/lilypond_pdf.h"
#include "score/mxl_writer.h"
#include "score/score_builder.h"

namespace velmora {

namespace {

constexpr int kMiddleC = 60;
constexpr double kRenderShareOfPdf = 0.3;

// The MIDI file is only rendered for its notes; its bytes go nowhere.
class DiscardedMidi final : public SmfSink {
public:
    void append(const std::uint8_t*, std::size_t) override {}
    bool canPatch() const override { return true; }
};

class SafeWriterSink final : public ScoreSink {
public:
    explicit SafeWriterSink(SafeFileWriter& writer) : writer_(writer) {}
    void append(const char* data, std::size_t size) override { writer_.write(data, size); }
    bool canPatch() const override { return writer_.canSeek(); }
    void patch(std::uint64_t offset, const char* data, std::size_t size) override {
        writer_.writeAt(offset, data, size);
    }

private:
    SafeFileWriter& writer_;
};

// A private folder for LilyPond's work, removed with all it holds.
class WorkFolder {
public:
    WorkFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-score-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw ExportError("cannot make a working folder for LilyPond in " +
                              std::filesystem::temp_directory_path().string());
        }
        path_ = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The melody keeps to one staff, in the bass clef when its range tops out
// below middle C; the chords reach from the bass to the treble and get a
// grand staff split at middle C.
std::vector<ScorePart> partsFor(const PerformanceOptions& options) {
    const NoteRange& melodyLimits = melodyRange(options);
    ScorePart melody;
    melody.id = "P1";
    melody.name = "Melody";
    melody.abbreviation = "Mel.";
    // Programs as the MIDI file's data bytes hold them.
    const int melodyProgram = std::min(127, static_cast<int>(options.melodyProgram()));
    const int chordProgram = std::min(127, static_cast<int>(options.backingProgram()));
    melody.instrument = std::string(gmInstrumentName(melodyProgram));
    melody.midiChannel = kFileMelodyChannel + 1;
    melody.midiProgram = melodyProgram + 1;
    melody.bassClef = melodyLimits.high.enabled && melodyLimits.high.note <= kMiddleC;
    melody.tempoMark = true;
    ScorePart chords;
    chords.id = "P2";
    chords.name = "Chords";
    chords.abbreviation = "Ch.";
    chords.instrument = std::string(gmInstrumentName(chordProgram));
    chords.midiChannel = kFileChordChannel + 1;
    chords.midiProgram = chordProgram + 1;
    chords.grandStaff = true;
    return {melody, chords};
}

ScoreHeading headingFor(const ExportRequest& request, const std::string& title) {
    ScoreHeading heading;
    heading.title = title;
    heading.software = "Velmora " VELMORA_VERSION;
    heading.fifths = scoreFifths(request.options, request.keyNote);
    heading.metre = ScoreMetre::forMeterKind(request.options.grid.meterKind);
    // Two steps make a quarter note, as in the MIDI file's tempo.
    heading.quartersPerMinute = 60000.0 / (2.0 * request.options.timerInterval());
    return heading;
}

void writeScore(const ExportRequest& request, const std::string& title, RandomSource& rng, ScoreSink& sink,
                const ScoreHooks& hooks, double progressShare) {
    if (request.playLines.empty()) throw ExportError(kEmptyTextMessage);
    XmlOut out(sink);
    MelodyLyrics lyrics(request);
    MusicXmlWriter writer(out, headingFor(request, title), &lyrics);
    ScoreBuilder builder(request, writer, partsFor(request.options), lyrics, hooks, progressShare);
    DiscardedMidi discarded;
    SmfStreamLimits limits;
    limits.maxChunkLength = std::numeric_limits<std::uint64_t>::max();  // no MIDI file is made
    writeMidiFile(request, rng, discarded, limits, &builder);
}

void copyFile(const std::string& from, SafeFileWriter& to) {
    std::ifstream in(from, std::ios::binary);
    std::vector<char> buffer(1 << 16);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
        to.write(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) throw ExportError("cannot read the PDF LilyPond made (" + from + ")");
}

void writePdf(SafeFileWriter& target, const ExportRequest& request, const std::string& title,
              RandomSource& rng, const ScoreHooks& hooks) {
    const WorkFolder folder;
    const std::string musicXml = (std::filesystem::path(folder.path()) / "score.musicxml").string();
    {
        SafeFileWriter file(musicXml);
        SafeWriterSink sink(file);
        writeScore(request, title, rng, sink, hooks, kRenderShareOfPdf);
        file.commit();
    }
    copyFile(typesetWithLilyPond(musicXml, folder.path(), hooks, kRenderShareOfPdf), target);
}

}  // namespace

std::optional<ScoreFormat> scoreFormatForPath(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".musicxml" || extension == ".xml") return ScoreFormat::MusicXml;
    if (extension == ".mxl") return ScoreFormat::Mxl;
    if (extension == ".pdf") return ScoreFormat::Pdf;
    return std::nullopt;
}

void writeMusicXml(const ExportRequest& request, const std::string& title, RandomSource& rng, ScoreSink& sink,
                   const ScoreHooks& hooks) {
    writeScore(request, title, rng, sink, hooks, 1.0);
}

void exportScore(const std::string& path, ScoreFormat format, const ExportRequest& request,
                 const std::string& title, RandomSource& rng, const ScoreHooks& hooks) {
    // Refusals come before the target is touched.
    if (request.playLines.empty()) throw ExportError(kEmptyTextMessage);
    if (format == ScoreFormat::Pdf && !lilyPondInstalled()) throw ExportError(kLilyPondMissingMessage);
    SafeFileWriter target(path);
    SafeWriterSink sink(target);
    switch (format) {
        case ScoreFormat::MusicXml:
            writeScore(request, title, rng, sink, hooks, 1.0);
            break;
        case ScoreFormat::Mxl: {
            MxlWriter archive(sink);
            writeScore(request, title, rng, archive, hooks, 1.0);
            archive.finish();
            break;
        }
        case ScoreFormat::Pdf:
            writePdf(target, request, title, rng, hooks);
            break;
    }
    target.commit();
}

}  // namespace velmora
