#pragma once

#include <cstdint>

namespace velmora {

// A short message with the monotonic time (steady clock, ns) at which it should sound.
struct TimedMessage {
    std::int64_t dueNs = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

}  // namespace velmora
