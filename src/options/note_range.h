#pragma once

namespace velmora {

// One limit of an instrument's range: when switched on, notes at or beyond
// `note` are moved an octave inwards.
struct NoteLimit {
    bool enabled = false;
    int note = 0;

    bool operator==(const NoteLimit&) const = default;
};

// The high and the low limit of an instrument.
struct NoteRange {
    NoteLimit high;
    NoteLimit low;

    bool operator==(const NoteRange&) const = default;
};

}  // namespace velmora
