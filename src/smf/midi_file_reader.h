#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// One event of a Standard MIDI File that affects the sound: a channel message,
// or a tempo change (meta event 0x51). Other meta events and system exclusive
// messages are skipped.
struct MidiFileEvent {
    enum class Kind { Channel, Tempo };

    std::uint64_t tick = 0;  // absolute, from the start of the track
    Kind kind = Kind::Channel;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;                    // 0 for messages with one data byte
    std::uint32_t microsecondsPerQuarter = 0;  // Tempo only
};

struct MidiFileContent {
    std::uint16_t format = 0;
    // Positive: ticks per quarter note. Negative: SMPTE frames per second in
    // the high byte (as a negative number), ticks per frame in the low byte.
    std::int16_t division = 0;
    std::vector<std::vector<MidiFileEvent>> tracks;
};

struct MidiFileReadResult {
    std::optional<MidiFileContent> content;
    std::string error;  // set when content is empty
};

// Parses a Standard MIDI File (format 0, 1 or 2, running status allowed).
// Malformed bytes give an error naming what and where, never a crash.
MidiFileReadResult readMidiFile(std::span<const std::uint8_t> bytes);

}  // namespace velmora
