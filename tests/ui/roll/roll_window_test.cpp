#include <QAction>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "ui/memo/memo_edit.h"
#include "ui/roll/roll_panel.h"
#include "window_fixture.h"

namespace velmora {
namespace {

using testing::WindowTest;

class RollWindow : public WindowTest {};

void clickAt(QWidget* widget, QPointF point) {
    QMouseEvent press(QEvent::MouseButtonPress, point, widget->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

TEST_F(RollWindow, ShowsTheExportsMusicAndAClickPutsTheCaretOnItsCharacter) {
    auto window = openWindow();
    typeText(*window, "xy zz\nCDF");
    window->rollPanel().refresh();
    RollView& roll = *window->controls().roll;
    ASSERT_FALSE(roll.model().notes.empty());

    // The melody note of "D" on the second line (after "xy zz" and CR LF in the engine's offsets).
    const RollNote* noteOfD = nullptr;
    for (const RollNote& note : roll.model().notes) {
        if (note.voice == RollVoice::Melody && note.memoOffset == 8) noteOfD = &note;
    }
    ASSERT_NE(noteOfD, nullptr);
    RollRect rect = roll.layout().noteRect(*noteOfD);
    rect.y -= roll.verticalScrollBar()->value();  // a low roll scrolls its rows
    clickAt(roll.viewport(), {rect.x + 1, rect.y + rect.height / 2});
    EXPECT_EQ(window->controls().memo->textCursor().position(), 7);  // "D": 5 characters, one break, "C"
    // The pointer on the note names its character; screen readers hear the caret's notes.
    QTest::mouseMove(roll.viewport(), QPoint(static_cast<int>(rect.x + 1), static_cast<int>(rect.y + 1)));
    EXPECT_TRUE(roll.viewport()->toolTip().endsWith("文字「D」")) << roll.viewport()->toolTip().toStdString();
    EXPECT_TRUE(roll.spokenText().contains(QString::fromStdString(roll.layout().pitchLabel(noteOfD->pitch))));

    // A new text is drawn after it changed.
    typeText(*window, "q");
    window->rollPanel().refresh();
    EXPECT_EQ(roll.model().notes.front().memoOffset, 0);
}

TEST_F(RollWindow, ALongTextShowsTheMusicOfItsBeginningAndClicksStillFindTheirCharacter) {
    auto window = openWindow();
    MemoEdit& memo = *window->controls().memo;
    QString text;
    while (text.size() < 2 * RollPanel::kPreviewCharacters) text += QString::fromUtf8("あい CDE FG\n");  // 2-byte characters
    memo.setPlainText(text);
    window->rollPanel().refresh();
    RollView& roll = *window->controls().roll;
    EXPECT_FALSE(roll.toolTip().isEmpty());  // says that only the beginning is drawn

    const MemoGeometry whole = memo.geometry();
    const RollNote* lastMelody = nullptr;
    for (const RollNote& note : roll.model().notes) {
        if (note.voice == RollVoice::Melody) lastMelody = &note;
    }
    ASSERT_NE(lastMelody, nullptr);
    const int lastPosition = whole.documentPosition(lastMelody->memoOffset);
    EXPECT_GE(lastPosition, RollPanel::kPreviewCharacters - 20);  // up to the cut...
    EXPECT_LT(lastPosition, RollPanel::kPreviewCharacters + 20);  // ...and no further

    RollRect rect = roll.layout().noteRect(*lastMelody);
    rect.y -= roll.verticalScrollBar()->value();
    roll.horizontalScrollBar()->setValue(static_cast<int>(rect.x - RollLayout::kAxisWidth) - 5);
    clickAt(roll.viewport(), {rect.x - roll.horizontalScrollBar()->value() + 1, rect.y + rect.height / 2});
    EXPECT_EQ(memo.textCursor().position(), lastPosition);

    memo.setPlainText("CDE");
    window->rollPanel().refresh();
    EXPECT_TRUE(roll.toolTip().isEmpty());
}

TEST_F(RollWindow, FollowsThePerformanceAndReturnsToTheExportAfterIt) {
    auto window = openWindow();
    typeText(*window, "crwdmnp");
    RollView& roll = *window->controls().roll;
    window->controls().playButton->click();
    EXPECT_TRUE(roll.following());
    for (int tick = 0; tick < 4; ++tick) window->transport().tick();
    EXPECT_TRUE(QTest::qWaitFor([&] { return roll.cursorStep() == 3; }, 5000));  // a frame later, however slow the run
    EXPECT_EQ(roll.cursorStep(), 3);
    std::size_t melody = 0;
    for (const RollNote& note : roll.model().notes) melody += note.voice == RollVoice::Melody;
    EXPECT_EQ(melody, 4u);  // one letter a tick, each drawn as it sounds

    window->controls().playButton->click();  // Stop
    EXPECT_FALSE(roll.following());
    EXPECT_EQ(roll.cursorStep(), -1);
}

TEST_F(RollWindow, TheTypingSwitchInThePerformanceMenuSoundsKeys) {
    auto window = openWindow();
    QAction* typing = window->findChild<QAction*>("typingSound");
    ASSERT_NE(typing, nullptr);
    bool inMenu = false;
    for (QAction* menu : window->menuBar()->actions()) {
        if (menu->text().startsWith("演奏") && menu->menu()->actions().contains(typing)) inMenu = true;
    }
    EXPECT_TRUE(inMenu);
    EXPECT_FALSE(typing->isChecked());

    typing->setChecked(true);
    window->controls().memo->setFocus();
    QTest::keyClick(window->controls().memo, Qt::Key_C, Qt::NoModifier);
    ASSERT_FALSE(output->messages.empty());
    EXPECT_EQ(output->messages.back().status, 0x91);
    EXPECT_NE(output->messages.back().data2, 0);

    // Play takes the output from the typing sound.
    const int opens = output->openCount;
    window->controls().playButton->click();
    EXPECT_EQ(output->openCount, opens + 1);
    EXPECT_GE(output->closeCount, 1);
    window->controls().playButton->click();
}

}  // namespace
}  // namespace velmora
