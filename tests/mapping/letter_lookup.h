#pragma once

#include <array>
#include <cstdint>

#include "mapping/letter_tables.h"
#include "support/scripted_random.h"

namespace velmora {

using testing::ScriptedRandom;

constexpr std::array<TonicMode, 2> kBothModes = {TonicMode::A, TonicMode::E};

// The range of the one draw a table makes per call: tables 10 and 11 draw, the others never.
inline int drawRange(int pattern) {
    if (pattern == 10) return 10;
    if (pattern == 11) return 7;
    return 0;
}

// letterPitch with the draw fixed to `draw` for the tables that draw; a table that draws
// when it should not, or not exactly once when it should, fails the test.
inline std::uint8_t pitchWithDraw(int pattern, std::uint8_t character, TonicMode mode, int draw = 0) {
    ScriptedRandom rng;
    const bool draws = drawRange(pattern) > 0;
    if (draws) rng.push(draw);
    const std::uint8_t pitch = letterPitch(pattern, character, mode, rng);
    EXPECT_EQ(rng.drawCount(), draws ? 1 : 0) << "table " << pattern;
    return pitch;
}

inline std::uint8_t pitchOf(int pattern, char character, TonicMode mode, int draw = 0) {
    return pitchWithDraw(pattern, static_cast<std::uint8_t>(character), mode, draw);
}

}  // namespace velmora
