#pragma once

#include <cstdint>
#include <climits>

namespace velmora {

// A short message with the monotonic time (steady clock, ns) at which it should sound.
struct TimedMessage {
    // A message with no time of its own (a key played by hand): the next block takes it.
    static constexpr std::int64_t kAtOnce = INT64_MIN;

    std::int64_t dueNs = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

}  // namespace velmora
