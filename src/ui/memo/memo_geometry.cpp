#include "ui/memo/memo_geometry.h"

#include <algorithm>
#include <string_view>

#include "documents/cp932_text.h"
#include "documents/text_encoding.h"

namespace velmora {

namespace {

constexpr std::int32_t kParagraphBreakBytes = 2;  // CR LF between paragraphs

// One character of a UTF-8 line: its bytes there, its UTF-16 units and its
// code-page-932 bytes.
struct CharacterSpan {
    std::size_t utf8Length;
    int documentLength;
    std::int32_t byteLength;
};

std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;  // a stray byte stands for itself
}

CharacterSpan characterAt(std::string_view text, std::size_t at) {
    const std::size_t length =
        std::min(utf8SequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
    const std::string_view character = text.substr(at, length);
    const int units = length == 4 ? 2 : 1;
    const auto bytes = static_cast<std::int32_t>(character.size() == 1 ? 1 : utf8ToCp932(character).size());
    return {length, units, bytes};
}

// Calls visit(span) for each character until it returns false.
template <typename Visit>
void forEachCharacter(std::string_view text, Visit visit) {
    for (std::size_t at = 0; at < text.size();) {
        const CharacterSpan span = characterAt(text, at);
        if (!visit(span)) return;
        at += span.utf8Length;
    }
}

}  // namespace

MemoGeometry::MemoGeometry(std::vector<DisplayedLine> lines) {
    std::int32_t byte = 0;
    int position = 0;
    for (DisplayedLine& displayed : lines) {
        Line line;
        line.byteStart = byte;
        line.documentStart = position;
        forEachCharacter(displayed.text, [&line](const CharacterSpan& span) {
            line.byteLength += span.byteLength;
            line.documentLength += span.documentLength;
            return true;
        });
        line.text = std::move(displayed.text);
        byte += line.byteLength;
        position += line.documentLength;
        if (displayed.endsParagraph) {
            byte += kParagraphBreakBytes;
            position += 1;
        }
        lines_.push_back(std::move(line));
    }
    if (!lines_.empty() && lines.back().endsParagraph) byte -= kParagraphBreakBytes;  // no break after the last
    textBytes_ = static_cast<std::uint32_t>(std::max(byte, 0));

    std::size_t playCount = lines_.size();
    // A final line break leaves an empty last paragraph, which is no line.
    const bool lastStartsParagraph = lines_.size() < 2 || lines[lines_.size() - 2].endsParagraph;
    if (playCount > 0 && lines_.back().text.empty() && lastStartsParagraph) --playCount;
    for (std::size_t i = 0; i < playCount; ++i) {
        lineStarts_.push_back(lines_[i].byteStart);
        textLines_.push_back(utf8ToCp932(lines_[i].text));
        playLines_.push_back(upperCp932(textLines_.back()));
    }
}

int MemoGeometry::documentPosition(std::int32_t byteOffset) const {
    if (lines_.empty() || byteOffset <= 0) return 0;
    const auto after =
        std::upper_bound(lines_.begin(), lines_.end(), byteOffset,
                         [](std::int32_t value, const Line& line) { return value < line.byteStart; });
    const Line& line = *(after - 1);
    std::int32_t byte = line.byteStart;
    int position = line.documentStart;
    forEachCharacter(line.text, [&](const CharacterSpan& span) {
        if (byte + span.byteLength > byteOffset) return false;
        byte += span.byteLength;
        position += span.documentLength;
        return true;
    });
    return position;
}

std::int32_t MemoGeometry::byteOffset(int documentPosition) const {
    if (lines_.empty() || documentPosition <= 0) return 0;
    const Line& line = lines_[static_cast<std::size_t>(lineOfPosition(documentPosition))];
    std::int32_t byte = line.byteStart;
    int position = line.documentStart;
    forEachCharacter(line.text, [&](const CharacterSpan& span) {
        if (position + span.documentLength > documentPosition) return false;
        byte += span.byteLength;
        position += span.documentLength;
        return true;
    });
    return byte;
}

int MemoGeometry::lineOfPosition(int documentPosition) const {
    if (lines_.empty()) return 0;
    const auto after =
        std::upper_bound(lines_.begin(), lines_.end(), documentPosition,
                         [](int value, const Line& line) { return value < line.documentStart; });
    return static_cast<int>(std::max<std::ptrdiff_t>(after - lines_.begin() - 1, 0));
}

}  // namespace velmora
