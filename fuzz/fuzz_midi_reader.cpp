// The MIDI file reader: any bytes give either content or an error, never a
// crash; what it returns is well formed.

#include VELMORA_MIDI_READER_HEADER

#include "fuzz_input.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MidiFileReadResult result = readMidiFile(std::span<const std::uint8_t>(data, size));
    VELMORA_FUZZ_CHECK(result.content.has_value() != !result.error.empty());
    if (!result.content) return 0;
    for (const auto& track : result.content->tracks) {
        std::uint64_t previous = 0;
        for (const MidiFileEvent& event : track) {
            VELMORA_FUZZ_CHECK(event.tick >= previous);
            previous = event.tick;
            if (event.kind == MidiFileEvent::Kind::Channel) {
                VELMORA_FUZZ_CHECK(event.status >= 0x80 && event.status < 0xF0);
                VELMORA_FUZZ_CHECK(event.data1 < 0x80 && event.data2 < 0x80);
            }
        }
    }
    return 0;
}
