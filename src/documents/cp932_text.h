#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Whether `byte` starts a two-byte CP932 character.
constexpr bool isCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Upper case the way the engine reads text: single-byte a..z become A..Z; a
// two-byte character (a lead byte and the byte after it) is left as it is.
std::string upperCp932(std::string_view bytes);

// The lines of a text: a line ends at CR LF, a lone CR or a lone LF; a NUL byte
// ends the text; a final line break does not make an empty last line.
std::vector<std::string> splitTextLines(std::string_view text);
// The memo's text of the lines: every line followed by CR LF.
std::string joinMemoLines(const std::vector<std::string>& lines);

}  // namespace velmora
