// The whole export: a settings file and a text (separated by a NUL byte) as
// the command line would apply them, built into a MIDI file; the reader takes
// the file back: format 1, three tracks, 16 ticks per quarter, channels 0 and 1.

#include "documents/cp932_text.h"
#include "documents/ini_file.h"
#include "documents/settings.h"
#include "documents/text_document.h"
#include "engine/performance_state.h"
#include "fuzz_input.h"
#include "smf/build_midi_file.h"
#include VELMORA_MIDI_READER_HEADER

using namespace velmora;
using velmora::fuzz::FuzzInput;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint64_t seed = input.byte();
    const std::string_view settingsText = input.until('\0');
    const TextDocument document = decodeTextDocument(input.rest());

    ExportRequest request;
    applyConfigRows(readSettings(IniFile::parse(settingsText), false), request.options);
    request.keyNote = request.options.keyNote();
    for (const auto& line : document.lines) request.playLines.push_back(upperCp932(line));
    request.lineStarts = lineStartsOfPlainLines(request.playLines);

    SeededRandom rng(seed);
    std::vector<std::uint8_t> file;
    try {
        file = buildMidiFile(request, rng);
    } catch (const ExportError&) {
        VELMORA_FUZZ_CHECK(request.playLines.empty());
        return 0;
    }
    const MidiFileReadResult read = readMidiFile(file);
    if (!read.content) std::fprintf(stderr, "reader: %s\n", read.error.c_str());
    VELMORA_FUZZ_CHECK(read.content.has_value());
    VELMORA_FUZZ_CHECK(read.content->format == 1);
    VELMORA_FUZZ_CHECK(read.content->division == 16);
    VELMORA_FUZZ_CHECK(read.content->tracks.size() == 3);
    for (const auto& track : read.content->tracks) {
        for (const MidiFileEvent& event : track) {
            if (event.kind != MidiFileEvent::Kind::Channel) continue;
            VELMORA_FUZZ_CHECK((event.status & 0x0F) <= 1);
        }
    }
    return 0;
}
