#pragma once

#include <cstdint>
#include <vector>

#include "smf/midi_file_reader.h"

namespace velmora {

struct TimedFileMessage {
    double seconds = 0.0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

// The channel messages of all tracks merged in time order, with times from the
// tempo map (tempo changes of any track apply to all, as in format 1; the
// default tempo is 500000 µs per quarter note). Events at the same tick keep
// their track order and their order within the track.
std::vector<TimedFileMessage> midiFileTimeline(const MidiFileContent& content);

}  // namespace velmora
