#pragma once

#include <QStringList>
#include <array>
#include <cstddef>
#include <string_view>

namespace velmora {

// The instruments every instrument combo box offers: General MIDI programs
// 0..111 in program order, so that a combo's item index is the program number
// sent in the program change. The list stops after Shanai.
inline constexpr std::size_t kGmProgramCount = 112;

extern const std::array<std::string_view, kGmProgramCount> GmProgramNames;

// The same names as combo-box items.
QStringList gmProgramNameList();

}  // namespace velmora
