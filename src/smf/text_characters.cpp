#include "smf/text_characters.h"

#include "documents/cp932_text.h"
#include "documents/text_encoding.h"

namespace velmora {

std::string_view TextCharacters::at(std::int32_t line, std::int32_t pos) {
    if (line < 0 || pos < 0 || static_cast<std::size_t>(line) >= lines_.size()) return {};
    const std::string& text = lines_[static_cast<std::size_t>(line)];
    const auto byte = static_cast<std::size_t>(pos);
    if (byte >= text.size()) return {};
    if (line != line_ || byte < characterStart_) {
        line_ = line;
        characterStart_ = 0;
    }
    for (;;) {
        const bool pair = isCp932LeadByte(static_cast<unsigned char>(text[characterStart_])) &&
                          characterStart_ + 1 < text.size();
        const std::size_t width = pair ? 2 : 1;
        if (characterStart_ + width > byte) return std::string_view(text).substr(characterStart_, width);
        characterStart_ += width;
    }
}

std::string lyricUtf8(std::string_view cp932Character) {
    // CP932's single bytes below 0x80 are ASCII, as the converter reads them too.
    if (cp932Character.size() == 1 && static_cast<unsigned char>(cp932Character[0]) < 0x80) {
        return std::string(cp932Character);
    }
    return cp932ToUtf8(cp932Character);
}

}  // namespace velmora
