#pragma once

#include <cstdint>

#include "mapping/tonic_mode.h"

namespace velmora {

// The membership test of the scale at index `test` (a ScalePattern) for a note
// that already carries `keyShift`. The ranged tests (the Gypsy scale and every
// scale after the whole-tone one) subtract the shift (8-bit) before looking the
// value up; the funny scale's looks the note up as it is; the fantastic scale's
// admits everything. The whole-tone scale has no test: asking it, or an index
// outside 0..11, answers false.
bool inScale(int test, std::uint8_t note, TonicMode mode, int keyShift);

}  // namespace velmora
