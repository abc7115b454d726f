// The memo's displayed lines are those of Qt's own layout, whether a paragraph
// was laid out or judged to fit without it.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextBlock>

#include "ui/memo/memo_edit.h"

namespace velmora::testing {
namespace {

std::vector<std::pair<std::string, bool>> asPairs(const std::vector<DisplayedLine>& lines) {
    std::vector<std::pair<std::string, bool>> pairs;
    for (const DisplayedLine& line : lines) pairs.emplace_back(line.text, line.endsParagraph);
    return pairs;
}

void layOutEveryParagraph(MemoEdit& memo) {
    QAbstractTextDocumentLayout* layout = memo.document()->documentLayout();
    for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next())
        layout->blockBoundingRect(block);
}

// Paragraphs from empty to twice the width of a line, of narrow and wide
// letters, spaces, tabs and two-byte characters.
QString paragraphsAroundTheWrapWidth() {
    const QString pieces[] = {"i", "W", " ", "m", "il ", "WWM ", QString::fromUtf8("あ"), "\t", "ab"};
    QString text;
    for (int length = 0; length < 160; ++length) {
        for (const QString& piece : pieces) {
            QString paragraph;
            while (paragraph.size() < length) paragraph += piece + (length % 7 == 0 ? "x" : "");
            text += paragraph + '\n';
        }
    }
    return text;
}

TEST(MemoLines, ParagraphsJudgedToFitGiveTheLinesOfTheRealLayoutAtEveryWidth) {
    MemoEdit memo;
    memo.show();
    const QString text = paragraphsAroundTheWrapWidth();
    for (const int width : {160, 333, 600}) {
        memo.resize(width, 200);
        memo.setPlainText(text);
        const auto judged = asPairs(memo.displayedLines());
        layOutEveryParagraph(memo);
        const auto laidOut = asPairs(memo.displayedLines());
        ASSERT_EQ(judged.size(), laidOut.size()) << "at width " << width;
        for (std::size_t i = 0; i < judged.size(); ++i) ASSERT_EQ(judged[i], laidOut[i]) << "line " << i;
        EXPECT_GT(judged.size(), static_cast<std::size_t>(memo.document()->blockCount()));  // some wrapped
    }
}

}  // namespace
}  // namespace velmora::testing
