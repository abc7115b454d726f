#include "engine/range_fitting.h"

namespace velmora {

namespace {
// An octave loop can need at most 256 / 12 steps; the bound only matters for
// limit values outside the controls' ranges, where an 8-bit loop would not end.
constexpr int kMaxOctaveSteps = 22;
}  // namespace

std::uint8_t fitRange(std::uint8_t note, const NoteRange& range) {
    if (note > 104) note = static_cast<std::uint8_t>(note - 12);
    if (range.high.enabled) {
        for (int i = 0; i < kMaxOctaveSteps && note >= range.high.note; ++i)
            note = static_cast<std::uint8_t>(note - 12);
    }
    if (range.low.enabled) {
        for (int i = 0; i < kMaxOctaveSteps && note <= range.low.note; ++i)
            note = static_cast<std::uint8_t>(note + 12);
    }
    if (note < 30) note = static_cast<std::uint8_t>(note + 12);
    if (note < 30) note = static_cast<std::uint8_t>(note + 12);
    return note;
}

std::uint8_t fitBackingRange(const PerformanceOptions& options, std::uint8_t note) {
    return fitRange(note, options.backingRange);
}

const NoteRange& melodyRange(const PerformanceOptions& options) {
    return options.twoChannels ? options.soloRange : options.backingRange;
}

std::uint8_t fitMelodyRange(const PerformanceOptions& options, std::uint8_t note) {
    return fitRange(note, melodyRange(options));
}

std::uint8_t stepIntoBackingRange(const PerformanceOptions& options, std::uint8_t note) {
    const NoteRange& range = options.backingRange;
    if (range.high.enabled && note >= range.high.note) note = static_cast<std::uint8_t>(note - 12);
    if (range.low.enabled && note <= range.low.note) note = static_cast<std::uint8_t>(note + 12);
    return note;
}

}  // namespace velmora
