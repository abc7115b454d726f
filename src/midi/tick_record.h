#pragma once

#include <cstdint>

namespace velmora {

// The times of one expiry, in monotonic nanoseconds, for measurement.
struct TickRecord {
    std::uint64_t sequence = 0;  // 1 for the first expiry after the timer (re)started
    std::int64_t dueNs = 0;      // the ideal grid: period start + sequence x interval
    std::int64_t handedNs = 0;   // the timer thread woke and handed the expiry over
    std::int64_t startNs = 0;    // the tick began on the owner's thread
    std::int64_t finishNs = 0;   // the tick returned (or threw)
};

}  // namespace velmora
