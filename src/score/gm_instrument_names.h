#pragma once

#include <string_view>

namespace velmora {

// The General MIDI name of a program 0..127, as scores name their instruments.
std::string_view gmInstrumentName(int program);

}  // namespace velmora
