// The memo's CP932 counts follow edits as a full recount of the text would.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

#include "documents/cp932_text.h"
#include "documents/text_encoding.h"
#include "ui/memo/memo_cp932_index.h"
#include "ui/document/text_file.h"

namespace velmora::testing {
namespace {

class MemoCp932IndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        document.documentLayout();  // a document tells its changes only once it has a layout, as the memo's has
        index.reset(document);
        QObject::connect(&document, &QTextDocument::contentsChange, [this](int position, int removed, int added) {
            index.contentsChanged(document, position, removed, added);
        });
    }

    std::string wholeUpperText() const {
        return upperCp932(utf8ToCp932(memoFileText(document.toPlainText())));
    }

    // The counts and the bytes from every position equal those of the whole text.
    void expectLikeAFullRecount() const {
        const std::string whole = wholeUpperText();
        ASSERT_EQ(index.textBytes(), whole.size());
        const QString text = document.toPlainText();
        for (int position = 0; position <= text.size(); ++position) {
            QString before = text.left(position);
            before.replace('\n', QStringLiteral("\r\n"));
            const std::size_t at = utf8ToCp932(before.toStdString()).size();
            const std::string expected = whole.substr(std::min(at, whole.size()), 8);
            const std::string shown = index.upperTextAt(document, position, 8);
            ASSERT_EQ(shown.substr(0, 8), expected) << "at position " << position;
            ASSERT_TRUE(shown.size() >= 8 || at + shown.size() == whole.size()) << "at position " << position;
        }
    }

    void insert(int position, const QString& text) {
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.insertText(text);
    }
    void remove(int from, int to) {
        QTextCursor cursor(&document);
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }

    QTextDocument document;
    MemoCp932Index index;
};

TEST_F(MemoCp932IndexTest, EditsInsideAMultiByteTextKeepTheCountsOfAFullRecount) {
    document.setPlainText(QString::fromUtf8("abc あいう\nかきく def\n\nxyz 漢字 end"));
    expectLikeAFullRecount();
    insert(5, QStringLiteral("q"));  // between two-byte characters
    expectLikeAFullRecount();
    insert(9, QString::fromUtf8("新\n行\nzz"));  // new paragraphs in the middle
    expectLikeAFullRecount();
    remove(3, 14);  // across paragraph breaks
    expectLikeAFullRecount();
    remove(0, document.characterCount() - 1);  // everything
    expectLikeAFullRecount();
    insert(0, QString::fromUtf8("ひとつ\n"));
    expectLikeAFullRecount();
}

TEST_F(MemoCp932IndexTest, UndoAndSpecialSpacesCountAsTheirPlainText) {
    document.setPlainText(QString::fromUtf8("one\ntwo\nthree"));
    remove(2, 9);
    insert(1, QString(QChar::Nbsp) + QChar(QChar::LineSeparator) + QString::fromUtf8("☃x"));  // ☃ has no CP932 form
    expectLikeAFullRecount();
    document.undo();
    expectLikeAFullRecount();
    document.undo();
    expectLikeAFullRecount();
    document.redo();
    expectLikeAFullRecount();
}

}  // namespace
}  // namespace velmora::testing
