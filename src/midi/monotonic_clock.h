#pragma once

#include <chrono>
#include <cstdint>

namespace velmora {

// Nanoseconds on the monotonic clock (CLOCK_MONOTONIC), the clock the timer's
// deadlines are set on; comparable across threads.
inline std::int64_t monotonicNowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace velmora
