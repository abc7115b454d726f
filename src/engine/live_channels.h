#pragma once

#include <cstdint>

namespace velmora {

// Live playback sends chords and bass on channel 0 and the melody on channel 1
// (the exported file swaps them).
constexpr std::uint8_t kLiveBackingChannel = 0;
constexpr std::uint8_t kLiveMelodyChannel = 1;

}  // namespace velmora
