#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// The estimated playing time of a text of `textBytes` bytes (line breaks
// included) at one timer step of `intervalMs` per byte, as "MM : SS": minutes
// and seconds below 10 get a leading 0 and minutes may take three digits or more.
std::string updateTimeEstimate(std::uint64_t textBytes, std::uint32_t intervalMs);

}  // namespace velmora
