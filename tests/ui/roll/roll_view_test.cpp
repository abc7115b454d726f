#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "support/capture_backend.h"
#include "roll/live_roll_recorder.h"
#include "ui/roll/roll_view.h"
#include "ui/performance/typing_sound.h"

namespace velmora {
namespace {

using testing::CaptureBackend;
using testing::CapturedMessage;

RollModel twoNotes() {
    RollBuilder builder(4, 60);
    builder.noteOn(RollVoice::Melody, 2, 64, 17);
    builder.noteOn(RollVoice::Chord, 2, 52, 17);
    builder.noteOff(RollVoice::Melody, 3, 64);
    builder.noteOff(RollVoice::Chord, 6, 52);
    return builder.finish(200);
}

void pressAt(QWidget* widget, QPointF point) {
    QMouseEvent press(QEvent::MouseButtonPress, point, widget->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

TEST(RollView, AClickOnANoteNamesItsCharacterAndTheScrollIsCountedIn) {
    RollView view;
    view.resize(300, 160);
    view.show();
    view.showModel(twoNotes());
    QSignalSpy clicked(&view, &RollView::characterClicked);

    const RollLayout layout = view.layout();
    const RollRect melody = layout.noteRect(view.model().notes[0]);
    pressAt(view.viewport(), {melody.x + 2, melody.y + 1});
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.takeFirst().at(0).toInt(), 17);

    pressAt(view.viewport(), {melody.x + 2, melody.y + 3 * layout.rowHeight()});  // empty row
    EXPECT_EQ(clicked.count(), 0);

    // Scrolled to the right, the same screen point lies on no note; the chord's far end still answers.
    view.horizontalScrollBar()->setValue(30);
    pressAt(view.viewport(), {melody.x + 2, melody.y + 1});
    EXPECT_EQ(clicked.count(), 0);
    const RollRect chord = layout.noteRect(view.model().notes[1]);
    pressAt(view.viewport(), {chord.x + chord.width - 31, chord.y + 1});
    EXPECT_EQ(clicked.count(), 1);
}

TEST(RollView, RowsFitTheViewsHeight) {
    RollView view;
    view.showModel(twoNotes());
    view.resize(300, 120);
    view.show();
    const RollLayout small = view.layout();
    view.resize(300, 220);
    const RollLayout tall = view.layout();
    EXPECT_GT(tall.rowHeight(), small.rowHeight());
    EXPECT_LE(tall.height(), view.viewport()->height() + 1);
}

TEST(RollView, FollowsALivePerformanceOnItsOwnFrames) {
    PerformanceState state;
    state.lineStarts = {0};
    state.charPos = 1;
    NullBackend output;
    LiveRollRecorder recorder(output, &state);
    RollView view;
    view.resize(300, 150);
    view.show();
    view.showModel(twoNotes());

    view.followLive(&recorder, 4, 60);
    EXPECT_TRUE(view.model().notes.empty());  // the export's notes give way to the live ones
    recorder.beginTick(0);
    for (std::uint64_t tick = 1; tick <= 120; ++tick) {
        recorder.beginTick(tick);
        recorder.sendShortMessage(0x91, static_cast<std::uint8_t>(60 + tick % 12), 100);
    }
    EXPECT_TRUE(view.model().notes.empty());  // nothing is drawn inside the ticks
    // The next frame draws them (waited for: a loaded or instrumented run is slow).
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view.model().notes.empty(); }, 5000));
    EXPECT_EQ(view.model().notes.size(), 120u);
    EXPECT_EQ(view.cursorStep(), 119);
    // The playing step is in view.
    const double cursorX = view.layout().stepX(119) - view.horizontalScrollBar()->value();
    EXPECT_GT(cursorX, 0);
    EXPECT_LT(cursorX, view.viewport()->width());

    view.followLive(nullptr, 4, 60);
    EXPECT_EQ(view.cursorStep(), -1);
    EXPECT_EQ(view.model().notes.size(), 2u);  // back to the model it was given
}

struct TypingRig {
    TypingRig() : sound(memo, options, port, rng, [this] { return performing; }) {}
    PerformanceOptions options;
    CaptureBackend capture;
    MidiOutPort port{capture};
    SeededRandom rng{1};
    QPlainTextEdit memo;
    bool performing = false;
    TypingSound sound;
};

void type(QWidget& widget, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
}

int noteOns(const CaptureBackend& capture) {
    int count = 0;
    for (const auto& message : capture.messages) count += message.status == 0x91 && message.data2 != 0;
    return count;
}

TEST(TypingSound, TypedLettersSoundOnlyWithTheSwitchOnAndNoPerformance) {
    TypingRig rig;
    type(rig.memo, Qt::Key_A, "a");
    EXPECT_EQ(noteOns(rig.capture), 0);  // switched off
    EXPECT_EQ(rig.memo.toPlainText(), "a");

    rig.sound.setEnabled(true);
    type(rig.memo, Qt::Key_A, "a");
    EXPECT_EQ(noteOns(rig.capture), 1);
    EXPECT_EQ(rig.memo.toPlainText(), "aa");  // the memo still takes the key
    type(rig.memo, Qt::Key_Space, " ");
    type(rig.memo, Qt::Key_C, "c", Qt::ControlModifier);  // a shortcut is not typing
    EXPECT_EQ(noteOns(rig.capture), 1);

    rig.performing = true;
    type(rig.memo, Qt::Key_C, "c");
    EXPECT_EQ(noteOns(rig.capture), 1);
    rig.performing = false;
    type(rig.memo, Qt::Key_C, "C");
    EXPECT_EQ(noteOns(rig.capture), 2);

    rig.sound.setEnabled(false);  // switching off silences and hands the output back
    EXPECT_EQ(rig.capture.closeCount, 1);
    EXPECT_EQ(rig.capture.messages.back().data2, 0);
}

TEST(TypingSound, TheNoteEndsAfterAStepOfTheTempo) {
    TypingRig rig;
    rig.options.tickMs = 80;
    rig.sound.setEnabled(true);
    type(rig.memo, Qt::Key_A, "a");
    ASSERT_NE(rig.sound.sounder().soundingNote(), 0);
    QTest::qWait(200);
    EXPECT_EQ(rig.sound.sounder().soundingNote(), 0);
    EXPECT_EQ(rig.capture.messages.back().data2, 0);
}

}  // namespace
}  // namespace velmora
