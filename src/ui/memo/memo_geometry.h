#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// One line as the memo displays it: a whole paragraph, or one wrapped piece of
// it. `text` is UTF-8 without any line break.
struct DisplayedLine {
    std::string text;
    bool endsParagraph = true;  // the last displayed line of its paragraph
};

// The memo's text as the engine sees it. The memo holds Unicode; the engine
// plays the code-page-932 bytes, upper-cased, one entry per displayed line.
// Offsets for the engine count those bytes, with CR LF (2 bytes) between two
// paragraphs and nothing between the wrapped pieces of one paragraph. Document
// positions count UTF-16 units with one position between paragraphs, as
// QTextDocument does.
class MemoGeometry {
public:
    MemoGeometry() = default;
    explicit MemoGeometry(std::vector<DisplayedLine> lines);

    // The lines to play; a last empty paragraph (after a final line break) is
    // not a line, and an empty memo has none.
    const std::vector<std::string>& playLines() const { return playLines_; }
    // The same lines' code-page-932 bytes as typed (not upper-cased): what
    // lyrics and scores print under the notes.
    const std::vector<std::string>& textLines() const { return textLines_; }
    // The engine offset of each played line's first character.
    const std::vector<std::int32_t>& lineStarts() const { return lineStarts_; }
    // The byte length of the memo text with CR LF between paragraphs.
    std::uint32_t textBytes() const { return textBytes_; }

    // The document position of the character at an engine offset; an offset
    // inside a line break gives the end of its line, one past the text the end.
    int documentPosition(std::int32_t byteOffset) const;
    // The engine offset of a document position (the inverse of the above).
    std::int32_t byteOffset(int documentPosition) const;
    // The displayed line that holds a document position.
    int lineOfPosition(int documentPosition) const;

private:
    struct Line {
        std::string text;
        std::int32_t byteStart = 0;
        int documentStart = 0;
        std::int32_t byteLength = 0;
        int documentLength = 0;
    };

    std::vector<Line> lines_;
    std::vector<std::string> playLines_;
    std::vector<std::string> textLines_;
    std::vector<std::int32_t> lineStarts_;
    std::uint32_t textBytes_ = 0;
};

}  // namespace velmora
