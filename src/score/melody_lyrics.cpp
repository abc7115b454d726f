#include "score/melody_lyrics.h"

#include <algorithm>

#include "documents/cp932_text.h"
#include "score/pattern_notes.h"

namespace velmora {

namespace {

// The letters of an English word; Japanese characters each stand alone.
bool isWordByte(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '\'';
}

std::size_t characterWidth(const std::string& text, std::size_t at) {
    return isCp932LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

MelodyLyrics::MelodyLyrics(const ExportRequest& request)
    : lines_(request.textLines.empty() ? request.playLines : request.textLines),
      plainStarts_(request.lineStarts.empty() ? lineStartsOfPlainLines(request.playLines)
                                              : std::vector<std::int32_t>{}),
      starts_(request.lineStarts.empty() ? plainStarts_ : request.lineStarts),
      sounding_(soundingBytes(request.options)) {}

void MelodyLyrics::moveToLine(std::size_t line) {
    line_ = line;
    characterStart_ = 0;
    soundingBefore_ = false;
}

MelodyLyric MelodyLyrics::at(std::int32_t memoOffset) {
    if (memoOffset < 0 || starts_.empty() || lines_.size() != starts_.size()) return {};
    if (memoOffset < starts_[line_]) {
        const auto after = std::upper_bound(starts_.begin(), starts_.end(), memoOffset);
        moveToLine(static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, after - starts_.begin() - 1)));
    }
    std::size_t line = line_;
    while (line + 1 < starts_.size() && starts_[line + 1] <= memoOffset) ++line;
    if (line != line_) moveToLine(line);
    const std::string& text = lines_[line_];
    const auto pos = static_cast<std::size_t>(memoOffset - starts_[line_]);
    if (pos >= text.size()) return {};
    if (pos < characterStart_) moveToLine(line_);
    // Walk to the character holding `pos`, remembering whether its word has sounded yet.
    for (std::size_t width = characterWidth(text, characterStart_); characterStart_ + width <= pos;
         width = characterWidth(text, characterStart_)) {
        const auto byte = static_cast<unsigned char>(text[characterStart_]);
        if (width == 1 && isWordByte(byte)) {
            soundingBefore_ = soundingBefore_ || sounding_[byte];
        } else {
            soundingBefore_ = false;
        }
        characterStart_ += width;
    }
    MelodyLyric lyric;
    lyric.line = static_cast<std::int32_t>(line_);
    lyric.pos = static_cast<std::int32_t>(characterStart_);
    lyric.width = static_cast<std::int32_t>(characterWidth(text, characterStart_));
    lyric.syllabic = lyric.width == 1 ? syllabicAt(text) : Syllabic::Single;
    return lyric;
}

// Looks ahead only to the word's next sounding letter, so every byte is read
// a bounded number of times however long the word.
Syllabic MelodyLyrics::syllabicAt(const std::string& text) const {
    if (!isWordByte(static_cast<unsigned char>(text[characterStart_]))) return Syllabic::Single;
    bool after = false;
    for (std::size_t i = characterStart_ + 1; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isWordByte(byte)) break;
        if (sounding_[byte]) {
            after = true;
            break;
        }
    }
    if (soundingBefore_) return after ? Syllabic::Middle : Syllabic::End;
    return after ? Syllabic::Begin : Syllabic::Single;
}

std::string_view MelodyLyrics::bytes(const MelodyLyric& lyric) const {
    if (!lyric.present() || static_cast<std::size_t>(lyric.line) >= lines_.size()) return {};
    return std::string_view(lines_[static_cast<std::size_t>(lyric.line)])
        .substr(static_cast<std::size_t>(lyric.pos), static_cast<std::size_t>(lyric.width));
}

}  // namespace velmora
