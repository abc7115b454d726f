#include "ui/memo/memo_cp932_index.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <numeric>

#include "documents/cp932_text.h"
#include "documents/text_encoding.h"

namespace velmora {

namespace {

constexpr std::uint64_t kLineBreakBytes = 2;  // CR LF

// A paragraph's text as QTextDocument::toPlainText gives it: no-break spaces
// as spaces, line and paragraph separators as line breaks (CR LF in the file).
std::string memoBytes(QString text) {
    for (QChar& c : text) {
        if (c == QChar::Nbsp) c = u' ';
        else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) c = u'\n';
    }
    text.replace('\n', QStringLiteral("\r\n"));
    return utf8ToCp932(text.toStdString());
}

std::uint32_t blockByteCount(const QTextBlock& block) {
    const QString text = block.text();
    // ASCII, the common case, is one byte a character in CP932.
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    return static_cast<std::uint32_t>(ascii ? text.size() : memoBytes(text).size());
}

}  // namespace

void MemoCp932Index::reset(const QTextDocument& document) {
    blockBytes_.clear();
    blockBytes_.reserve(static_cast<std::size_t>(document.blockCount()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blockBytes_.push_back(blockByteCount(block));
    textBytes_ = std::accumulate(blockBytes_.begin(), blockBytes_.end(), std::uint64_t{0}) +
                 kLineBreakBytes * (blockBytes_.size() - 1);
}

void MemoCp932Index::contentsChanged(const QTextDocument& document, int position, int removed, int added) {
    (void)removed;  // the change in paragraph count tells how many old paragraphs the edit covered
    const int blockCount = document.blockCount();
    const int oldCount = static_cast<int>(blockBytes_.size());
    const QTextBlock first = document.findBlock(position);
    QTextBlock last = document.findBlock(position + added);
    if (!first.isValid() || !last.isValid()) last = document.lastBlock();
    const int firstNumber = first.isValid() ? first.blockNumber() : 0;
    const int newCovered = last.blockNumber() - firstNumber + 1;
    const int oldCovered = newCovered - (blockCount - oldCount);
    if (oldCount == 0 || oldCovered < 1 || firstNumber + oldCovered > oldCount) {
        reset(document);
        return;
    }
    const auto begin = blockBytes_.begin() + firstNumber;
    for (auto at = begin; at != begin + oldCovered; ++at) textBytes_ -= *at + kLineBreakBytes;
    std::vector<std::uint32_t> counts;
    counts.reserve(static_cast<std::size_t>(newCovered));
    for (QTextBlock block = document.findBlockByNumber(firstNumber); counts.size() < std::size_t(newCovered);
         block = block.next()) {
        counts.push_back(blockByteCount(block));
        textBytes_ += counts.back() + kLineBreakBytes;
    }
    const auto at = blockBytes_.erase(begin, begin + oldCovered);
    blockBytes_.insert(at, counts.begin(), counts.end());
}

std::string MemoCp932Index::upperTextAt(const QTextDocument& document, int position,
                                        std::size_t minimumBytes) const {
    std::string bytes;
    QTextBlock block = document.findBlock(position);
    int column = block.isValid() ? position - block.position() : 0;
    while (block.isValid() && bytes.size() < minimumBytes) {
        // Every character gives at least one byte, so that many characters are enough.
        const QString text = block.text();
        int end = std::min<int>(static_cast<int>(text.size()), column + static_cast<int>(minimumBytes));
        if (end < text.size() && text[end - 1].isHighSurrogate()) ++end;
        bytes += memoBytes(text.mid(column, end - column));
        if (end < text.size()) break;
        block = block.next();
        if (block.isValid()) bytes += "\r\n";
        column = 0;
    }
    return upperCp932(bytes);
}

}  // namespace velmora
