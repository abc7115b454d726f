#pragma once

#include <cstdint>

#include "engine/performance_options.h"

namespace velmora {

// A high and a low limit, each switched on or off.
struct RangeLimits {
    bool highOn;
    int high;
    bool lowOn;
    int low;
};

// Lowers a note above 104 once, then walks it down an octave at a time below the
// high limit, then up above the low limit (the two loops do not alternate, so
// limits closer than an octave can leave it above the high limit), then raises
// it by at most two octaves to 30 or more. All arithmetic is 8-bit.
std::uint8_t fitRange(std::uint8_t note, const RangeLimits& limits);

RangeLimits backingLimits(const PerformanceOptions& options);
RangeLimits soloLimits(const PerformanceOptions& options);

inline std::uint8_t fitBackingRange(const PerformanceOptions& options, std::uint8_t note) {
    return fitRange(note, backingLimits(options));
}
inline std::uint8_t fitSoloRange(const PerformanceOptions& options, std::uint8_t note) {
    return fitRange(note, soloLimits(options));
}

}  // namespace velmora
