// A long text opens from its first lines and fills in between events; nothing
// that reads the whole text ever sees a part of it.
#include <QAction>
#include <QLabel>
#include <QTest>

#include "ui/memo/memo_edit.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

class LongTextOpening : public WindowTest {
protected:
    // Several slices of CP932 text: two-byte characters, letters, CR LF.
    std::string writeLongText(const std::string& name) {
        std::string bytes;
        const std::string line = "\x82\xa0\x82\xa2\x82\xa4 ABC def\r\n";  // あいう ABC def
        while (bytes.size() < 6 * MemoLoader::kFirstSliceCharacters) bytes += line;
        bytes += "the last line\r\n";
        writeFile(name, bytes);
        return bytes;
    }
    static void waitUntilLoaded(MemoEdit& memo) {
        for (int round = 0; round < 1000 && memo.loader().loading(); ++round) QApplication::processEvents();
        ASSERT_FALSE(memo.loader().loading());
    }
    static void trigger(MainWindow& window, const char* action) { window.findChild<QAction*>(action)->trigger(); }
};

TEST_F(LongTextOpening, SavingWhileTheTextStillFillsInWritesItWhole) {
    const std::string bytes = writeLongText("long.txt");
    auto window = openWindow();
    MemoEdit& memo = *window->controls().memo;
    window->document().open(path("long.txt"));
    ASSERT_TRUE(memo.loader().loading());
    EXPECT_LT(memo.document()->characterCount(), static_cast<int>(bytes.size()) / 2);  // only the first lines yet
    EXPECT_TRUE(memo.isReadOnly());

    prompts->saveAnswers.push_back(QString::fromStdString(path("copy.txt")));
    trigger(*window, "saveDocumentAs");
    EXPECT_EQ(readFile("copy.txt"), bytes);
    EXPECT_FALSE(memo.loader().loading());
    EXPECT_FALSE(memo.isReadOnly());
}

TEST_F(LongTextOpening, TheFilledTextIsUnmodifiedWithoutUndoAndCountedWhole) {
    writeLongText("long.txt");
    auto window = openWindow();
    MemoEdit& memo = *window->controls().memo;
    window->document().open(path("long.txt"));
    waitUntilLoaded(memo);
    EXPECT_TRUE(memo.toPlainText().endsWith("the last line\n"));
    EXPECT_FALSE(memo.document()->isModified());  // closing asks nothing
    EXPECT_FALSE(memo.document()->isUndoAvailable());
    EXPECT_FALSE(memo.isReadOnly());

    // The time estimate counts every byte, as after a whole new text.
    const QString estimate = window->controls().estimatedTime->text();
    memo.setPlainText(memo.toPlainText());
    EXPECT_EQ(window->controls().estimatedTime->text(), estimate);
}

TEST_F(LongTextOpening, KeysTypedWhileTheTextFillsInAreTaken) {
    writeLongText("long.txt");
    auto window = openWindow();
    MemoEdit& memo = *window->controls().memo;
    window->document().open(path("long.txt"));
    ASSERT_TRUE(memo.loader().loading());
    QTest::keyClicks(&memo, "12");
    EXPECT_FALSE(memo.loader().loading());
    EXPECT_TRUE(memo.toPlainText().startsWith("12"));
    EXPECT_TRUE(memo.toPlainText().endsWith("the last line\n"));
}

TEST_F(LongTextOpening, ANewTextDropsWhatWasStillToCome) {
    writeLongText("long.txt");
    auto window = openWindow();
    MemoEdit& memo = *window->controls().memo;
    window->document().open(path("long.txt"));
    ASSERT_TRUE(memo.loader().loading());
    trigger(*window, "newDocument");
    for (int round = 0; round < 20; ++round) QApplication::processEvents();
    EXPECT_TRUE(memo.document()->isEmpty());
    EXPECT_FALSE(memo.isReadOnly());
    EXPECT_FALSE(memo.loader().loading());
}

}  // namespace
}  // namespace velmora::testing
