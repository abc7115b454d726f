#include "smf/build_midi_file.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "engine/performance_state.h"
#include "midi/midi_bytes.h"
#include "smf/render_track.h"
#include "smf/smf_writer.h"

namespace velmora {

namespace {

constexpr std::uint16_t kFormat = 1;
constexpr std::uint16_t kTrackCount = 3;
constexpr std::uint16_t kTicksPerQuarter = 16;
constexpr std::int32_t kLeadInTicksPerBeat = 16;
constexpr std::uint8_t kEndOfTrackDelta = 0x40;
constexpr const char* kConductorText = "Tarnovelle";
constexpr std::size_t kChunkHeaderSize = 8;
// English text with thick chords writes about eleven bytes per character; reserving
// that spares the copies of a growing buffer, and pages never written cost no memory.
constexpr std::size_t kExpectedBytesPerCharacter = 12;

// Data bytes keep bit 7 clear; a value outside 0..127 would turn into a status byte.
std::uint8_t dataByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }

void writeHeaderChunk(SmfWriter& writer) {
    writer.writeAscii("MThd");
    writer.writeU32(6);
    writer.writeU16(kFormat);
    writer.writeU16(kTrackCount);
    writer.writeU16(kTicksPerQuarter);
}

// Writes "MTrk" with a length to be patched by endChunk; returns the chunk's start.
std::uint64_t beginChunk(SmfWriter& writer) {
    const std::uint64_t start = writer.position();
    writer.writeAscii("MTrk");
    writer.writeU32(0);
    return start;
}

// Patches the chunk's length and hands the chunk on. A track longer than the
// format's 32-bit length would make a corrupt file: it is refused instead.
void endChunk(SmfWriter& writer, std::uint64_t start, const char* track, std::uint64_t maxLength) {
    const std::uint64_t length = writer.position() - start - kChunkHeaderSize;
    if (length > maxLength) {
        throw ExportError("the " + std::string(track) + " track would need " + std::to_string(length) +
                          " bytes, more than a MIDI file track can hold (" + std::to_string(maxLength) +
                          "); export a shorter text");
    }
    writer.patchChunkLength(start + 4, static_cast<std::uint32_t>(length));
    writer.seekToEnd();
    writer.drain();
}

void writeMeta(SmfWriter& writer, std::uint8_t type, std::initializer_list<std::uint8_t> data) {
    writer.writeByte(0x00);
    writer.writeByte(0xFF);
    writer.writeByte(type);
    writer.writeByte(static_cast<std::uint8_t>(data.size()));
    for (std::uint8_t byte : data) writer.writeByte(byte);
}

void writeConductorTrack(SmfWriter& writer, const ExportRequest& request, std::uint64_t maxChunkLength) {
    const std::uint64_t start = beginChunk(writer);

    const std::size_t textLength = std::char_traits<char>::length(kConductorText);
    writer.writeByte(0x00);
    writer.writeByte(0xFF);
    writer.writeByte(0x01);
    writer.writeByte(static_cast<std::uint8_t>(textLength));
    writer.writeAscii(kConductorText);

    writeMeta(writer, 0x58, {static_cast<std::uint8_t>(request.options.grid.meterKind), 2, 24, 8});

    const auto sharpsOrFlats = static_cast<std::uint8_t>(keySignatureSharps(request.keyNote));
    writeMeta(writer, 0x59, {sharpsOrFlats, 0});

    // Two steps make a quarter note, so a quarter lasts two timer intervals.
    const std::uint32_t microsPerQuarter = static_cast<std::uint32_t>(request.options.timerInterval()) * 2000;
    writeMeta(
        writer, 0x51,
        {static_cast<std::uint8_t>(microsPerQuarter >> 16), static_cast<std::uint8_t>(microsPerQuarter >> 8),
         static_cast<std::uint8_t>(microsPerQuarter)});

    writer.writeByte(0x00);
    writer.writeEndOfTrack();
    endChunk(writer, start, "conductor", maxChunkLength);
}

PerformanceState workingStateFor(const ExportRequest& request) {
    PerformanceState state;
    state.playLines = request.playLines;
    state.lineStarts =
        request.lineStarts.empty() ? lineStartsOfPlainLines(request.playLines) : request.lineStarts;
    if (state.lineStarts.size() != state.playLines.size()) {
        throw std::invalid_argument("export request: one line start per line expected");
    }
    if (!request.textLines.empty() && request.textLines.size() != request.playLines.size()) {
        throw std::invalid_argument("export request: the text's lines and the played lines differ in number");
    }
    state.keyNote = request.keyNote;
    return state;
}

// Both passes start from the top of the text with one bar of lead-in.
void resetForPass(SmfWriter& writer, PerformanceState& state, std::int32_t meterKind) {
    writer.setAccumulators(meterKind * kLeadInTicksPerBeat);
    state.resetCounters();
    state.lastMelodyNote = 0;
    state.wordStart = false;
}

void writeMusicTrack(SmfWriter& writer, SmfTrack track, RenderContext& context,
                     std::uint64_t maxChunkLength) {
    const PerformanceOptions& options = context.options;
    const bool melody = track == SmfTrack::Melody;
    const std::uint8_t channel = melody ? kFileMelodyChannel : kFileChordChannel;

    const std::uint64_t start = beginChunk(writer);
    writer.writeProgramChange(dataByte(melody ? options.melodyProgram() : options.backingProgram()), channel);
    writer.writeReverb(dataByte(options.reverbDepth(melody)), channel);
    // The chord track is centred only when one instrument plays both parts.
    if (melody || options.centresBackingPan()) writer.writePan(midi_bytes::kPanCentre, channel);

    resetForPass(writer, context.state, options.grid.meterKind);
    if (melody) context.melodyRecord.clear();
    renderTrack(writer, track, context);

    writer.writeByte(kEndOfTrackDelta);
    writer.writeEndOfTrack();
    endChunk(writer, start, melody ? "melody" : "chord", maxChunkLength);
}

void writeWholeFile(SmfWriter& writer, const ExportRequest& request, RandomSource& rng,
                    std::uint64_t maxChunkLength, RenderObserver* observer = nullptr) {
    if (request.playLines.empty()) throw ExportError(kEmptyTextMessage);
    PerformanceState state = workingStateFor(request);
    std::vector<std::uint8_t> melodyRecord;
    RenderContext context{request.options, state, melodyRecord, rng, observer};
    context.lyrics = request.lyrics;
    context.lyricLines = request.textLines.empty() ? &request.playLines : &request.textLines;
    writeHeaderChunk(writer);
    writeConductorTrack(writer, request, maxChunkLength);
    writeMusicTrack(writer, SmfTrack::Melody, context, maxChunkLength);
    writeMusicTrack(writer, SmfTrack::Chord, context, maxChunkLength);
}

}  // namespace

void writeMidiFile(const ExportRequest& request, RandomSource& rng, SmfSink& sink,
                   const SmfStreamLimits& limits, RenderObserver* observer) {
    SmfWriter writer;
    writer.attachSink(sink, limits.drainBytes);
    writeWholeFile(writer, request, rng, limits.maxChunkLength, observer);
    writer.drain();
}

std::vector<std::uint8_t> buildMidiFile(const ExportRequest& request, RandomSource& rng,
                                        RenderObserver* observer) {
    std::size_t textSize = 0;
    for (const auto& line : request.playLines) textSize += line.size();
    SmfWriter writer;
    writer.reserve(textSize * kExpectedBytesPerCharacter + 256);
    writeWholeFile(writer, request, rng, kMaxChunkLength, observer);
    return writer.takeBytes();
}

}  // namespace velmora
