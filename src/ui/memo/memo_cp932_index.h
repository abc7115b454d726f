#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QTextDocument;

namespace velmora {

// The memo's text as the engine counts it (CP932 bytes, CR LF between
// paragraphs), kept per paragraph and updated from each edit's range, so that
// a keystroke costs the edited paragraphs and not the whole text. The
// upper-cased text is made only where it is read.
class MemoCp932Index {
public:
    // Counts every paragraph of `document` again.
    void reset(const QTextDocument& document);
    // Follows an edit as QTextDocument::contentsChange reports it.
    void contentsChanged(const QTextDocument& document, int position, int removed, int added);

    // The byte length of the whole text (also of its upper-cased copy).
    std::uint64_t textBytes() const { return textBytes_; }
    // The upper-cased text from a document position on: at least `minimumBytes` bytes,
    // fewer only where the text ends.
    std::string upperTextAt(const QTextDocument& document, int position, std::size_t minimumBytes) const;

private:
    std::vector<std::uint32_t> blockBytes_;  // each paragraph without its line break
    std::uint64_t textBytes_ = 0;
};

}  // namespace velmora
