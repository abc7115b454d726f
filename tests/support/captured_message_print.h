#pragma once

#include <ostream>

#include "support/capture_backend.h"

namespace velmora::testing {

// Readable failure messages for captured MIDI messages.
inline void PrintTo(const CapturedMessage& m, std::ostream* out) {
    *out << "{tick " << m.tick << ": " << int{m.status} << ' ' << int{m.data1} << ' ' << int{m.data2} << '}';
}

}  // namespace velmora::testing
