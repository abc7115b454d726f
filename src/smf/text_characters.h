#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The characters of a text's CP932 lines by line and byte: the engine reads a
// text byte by byte, so a note may come from the second byte of a two-byte
// character; the character is the whole pair. Walking forward through a line
// costs each byte once; a step back starts the line again.
class TextCharacters {
public:
    explicit TextCharacters(const std::vector<std::string>& lines) : lines_(lines) {}

    // The bytes of the character holding byte `pos` (0-based) of line `line`;
    // empty outside the text.
    std::string_view at(std::int32_t line, std::int32_t pos);

private:
    const std::vector<std::string>& lines_;
    std::int32_t line_ = -1;
    std::size_t characterStart_ = 0;
};

// What a lyric shows: the character's CP932 bytes as UTF-8.
std::string lyricUtf8(std::string_view cp932Character);

}  // namespace velmora
