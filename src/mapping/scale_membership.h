#pragma once

#include <cstdint>

#include "mapping/tonic_mode.h"

namespace velmora {

// Membership test `test` (a pattern index 0..11 other than 3) for a note that
// already carries `keyShift`. Tests 2 and 4..11 subtract the shift (8-bit) before
// looking the value up; test 0 looks the note up as it is; test 1 admits everything.
// Test 3 does not exist: asking it answers false.
bool inScale(int test, std::uint8_t note, TonicMode mode, int keyShift);

}  // namespace velmora
