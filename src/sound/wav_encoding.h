#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// A RIFF WAVE file of 16-bit PCM: the 44-byte header followed by the
// interleaved samples, little-endian.
std::string encodeWav(const std::vector<std::int16_t>& interleaved, int channels, int sampleRate);

// The largest number of sample bytes a RIFF file can describe.
inline constexpr std::uint64_t kMaxWavDataBytes = 0xFFFFFFFFull - 36;

}  // namespace velmora
