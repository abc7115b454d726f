#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// One line of the instrument range table the preset dialog shows: a General
// MIDI program with the notes it plays well. The table is for the user to read;
// nothing else in the program consults it.
struct InstrumentRange {
    int program;            // 1-based, as General MIDI numbers them
    std::string_view name;  // the General MIDI Level 1 name in words
    int lowNote;            // MIDI note numbers
    int highNote;
    std::string_view description;  // Japanese, UTF-8; shown in the window's language
};

// Programs 1 (Acoustic Grand Piano) to 80 (Ocarina); the later programs have
// no line.
inline constexpr std::size_t kInstrumentRangeCount = 80;

extern const std::array<InstrumentRange, kInstrumentRangeCount> InstrumentRanges;

// "1(00H) \tAcoustic Grand Piano \t21-108 \tグランドピアノ": the program number,
// the 0-based program in hexadecimal, then name, range and description, each
// after a blank and a tab. The columns line up on the memo's tab stops.
std::string instrumentRangeLine(const InstrumentRange& range);

// The lines of the table joined by line feeds, without a final one.
std::string instrumentRangeTableText();

}  // namespace velmora
