#include "engine/range_fitting.h"

namespace velmora {

namespace {
// An octave loop can need at most 256 / 12 steps; the bound only matters for
// limit values outside the controls' ranges, where an 8-bit loop would not end.
constexpr int kMaxOctaveSteps = 22;
}  // namespace

std::uint8_t fitRange(std::uint8_t note, const RangeLimits& limits) {
    if (note > 104) note = static_cast<std::uint8_t>(note - 12);
    if (limits.highOn) {
        for (int i = 0; i < kMaxOctaveSteps && note >= limits.high; ++i) note = static_cast<std::uint8_t>(note - 12);
    }
    if (limits.lowOn) {
        for (int i = 0; i < kMaxOctaveSteps && note <= limits.low; ++i) note = static_cast<std::uint8_t>(note + 12);
    }
    if (note < 30) note = static_cast<std::uint8_t>(note + 12);
    if (note < 30) note = static_cast<std::uint8_t>(note + 12);
    return note;
}

RangeLimits backingLimits(const PerformanceOptions& options) {
    return {options.chicut, options.shicut, options.clowcut, options.slowcut};
}

RangeLimits soloLimits(const PerformanceOptions& options) {
    return {options.chicut2, options.shicuts, options.clowcut2, options.slowcuts};
}

}  // namespace velmora
