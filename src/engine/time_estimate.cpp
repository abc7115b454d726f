#include "engine/time_estimate.h"

#include "engine/performance_tick.h"

namespace velmora {

std::string updateTimeEstimate(std::uint64_t textBytes, std::uint32_t intervalMs) {
    // One timer step per byte. The product is taken in 64 bits: a text of a few
    // megabytes at a slow tempo would wrap a 32-bit product into a wrong estimate.
    return formatMinutesSeconds(textBytes * intervalMs / 1000u);
}

}  // namespace velmora
