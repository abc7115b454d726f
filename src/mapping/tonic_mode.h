#pragma once

#include <cstdint>

namespace velmora {

// The column of the letter tables and the row of the membership tests.
// The enumerators carry the character codes the options store ('A' = 65, 'E' = 69).
enum class TonicMode : std::uint8_t { A = 'A', E = 'E' };

}  // namespace velmora
