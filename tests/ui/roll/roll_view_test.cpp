#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

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

// Melody from pitch 30 to 100 over 400 steps: more rows than a low view holds.
RollModel wideMusic() {
    RollBuilder builder(4, 60);
    for (int step = 0; step < 400; step += 10) {
        const auto pitch = static_cast<std::uint8_t>(30 + step * 70 / 390);
        builder.noteOn(RollVoice::Melody, step, pitch, step);
        builder.noteOff(RollVoice::Melody, step + 5, pitch);
    }
    return builder.finish(400);
}
void wheel(RollView& view, QPointF point, int notches, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(point, view.viewport()->mapToGlobal(point), QPoint(), QPoint(0, notches * 120), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &event);
}

TEST(RollView, EveryRowFitsOrCanBeScrolledTo) {
    const struct {
        RollModel model;
        int height;
        bool scrolls;
    } cases[] = {{twoNotes(), 100, false}, {wideMusic(), 400, false}, {wideMusic(), 80, true}};
    for (const auto& c : cases) {
        RollView view;
        view.resize(300, c.height);
        view.show();
        view.showModel(c.model);
        const RollLayout layout = view.layout();
        EXPECT_EQ(view.verticalScrollBar()->maximum() > 0, c.scrolls) << c.height;
        // The lowest note's row comes fully into view at the bottom of the scroll.
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        const double bottom = layout.pitchY(c.model.lowestPitch) + layout.rowHeight();
        EXPECT_LE(bottom - view.verticalScrollBar()->value(), view.viewport()->height()) << c.height;
    }
}

TEST(RollView, TheWheelScrollsAndCtrlWheelZoomsTimeAroundThePointer) {
    const struct {
        Qt::KeyboardModifiers modifiers;
        int notches;
        int across;  // the sign of the change of each
        int down;
        int zoom;
    } cases[] = {{Qt::NoModifier, -1, 0, 1, 0},
                 {Qt::ShiftModifier, -1, 1, 0, 0},
                 {Qt::ControlModifier, 1, 1, 0, 1},
                 {Qt::ControlModifier, -2, -1, 0, -1}};
    const auto sign = [](double value) { return (value > 0) - (value < 0); };
    for (const auto& c : cases) {
        RollView view;
        view.resize(300, 100);
        view.show();
        view.showModel(wideMusic());
        view.horizontalScrollBar()->setValue(200);
        view.verticalScrollBar()->setValue(50);
        const double width = view.stepWidth();
        const auto stepAt150 = [&] { return view.layout().stepAt(150 + view.horizontalScrollBar()->value()); };
        const std::int32_t stepBefore = stepAt150();
        wheel(view, {150, 50}, c.notches, c.modifiers);
        EXPECT_EQ(sign(view.horizontalScrollBar()->value() - 200), c.across);
        EXPECT_EQ(sign(view.verticalScrollBar()->value() - 50), c.down);
        EXPECT_EQ(sign(view.stepWidth() - width), c.zoom);
        if (c.zoom == 0) continue;
        EXPECT_NEAR(stepAt150(), stepBefore, 1);  // the time under the pointer stays
    }
}

TEST(RollView, HoveringTellsTheNoteItsTimeAndCharacterOrTheRowsPitch) {
    RollView view;
    view.resize(300, 200);
    view.show();
    view.showModel(twoNotes());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setStepMs(100);
    view.setCharacterNamer([](std::int32_t offset) { return offset == 17 ? QString("A") : QString(); });
    const RollLayout layout = view.layout();
    const RollRect melody = layout.noteRect(view.model().notes[0]);
    const RollRect chord = layout.noteRect(view.model().notes[1]);
    const struct {
        QPointF point;
        QString text;
    } cases[] = {{{melody.x + 1, melody.y + 1}, "E4（旋律）\n1小節 2拍 · 0:00.2\n文字「A」"},
                 {{chord.x + 10, chord.y + 1}, "E3（和音）\n1小節 2拍 · 0:00.2\n文字「A」"},
                 {{5, layout.pitchY(60) + 1}, "C4"},
                 {{melody.x + 1, melody.y - 2 * layout.rowHeight()}, ""}};
    for (const auto& c : cases) {
        QTest::mouseMove(view.viewport(), c.point.toPoint());
        EXPECT_EQ(view.viewport()->toolTip(), c.text);
    }
}

TEST(RollView, ScreenReadersReadTheCaretsNotesOrTheSoundingNoteAndBar) {
    PerformanceState state;
    state.lineStarts = {0};
    NullBackend output;
    LiveRollRecorder recorder(output, &state);
    RollView view;
    view.resize(300, 150);
    view.show();
    view.showModel(twoNotes());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    EXPECT_EQ(accessible->text(QAccessible::Name), "ピアノロール");
    EXPECT_EQ(accessible->text(QAccessible::Value), "カーソルの文字の音はありません");
    view.setCaretOffset(17);
    EXPECT_EQ(accessible->text(QAccessible::Value), "カーソルの文字の音: E4, E3");
    EXPECT_EQ(accessible->textInterface()->text(0, 100), "カーソルの文字の音: E4, E3");  // what AT-SPI reads
    view.followLive(&recorder, 4, 60);
    for (std::uint64_t tick = 0; tick <= 10; ++tick) {
        recorder.beginTick(tick);
        if (tick == 9) recorder.sendShortMessage(0x91, 67, 100);
    }
    // A frame later, however slow the run.
    EXPECT_TRUE(QTest::qWaitFor([&] { return accessible->text(QAccessible::Value) == "演奏中 2小節: G4"; }, 5000));
    EXPECT_EQ(accessible->text(QAccessible::Value), "演奏中 2小節: G4");  // step 9 of 8 a bar
}

TEST(RollView, WhileFollowingAThirdOfTheViewStaysAheadOfThePlayhead) {
    for (const int ticks : {10, 120, 400}) {
        PerformanceState state;
        state.lineStarts = {0};
        NullBackend output;
        LiveRollRecorder recorder(output, &state);
        RollView view;
        view.resize(334, 150);
        view.show();
        view.followLive(&recorder, 4, 60);
        for (std::uint64_t tick = 0; tick <= static_cast<std::uint64_t>(ticks); ++tick) {
            recorder.beginTick(tick);
            recorder.sendShortMessage(0x91, static_cast<std::uint8_t>(60 + tick % 5), 100);
            if (tick % 40 == 0) QTest::qWait(RollView::kFrameMs * 2);  // frames come while it plays
        }
        QTest::qWait(RollView::kFrameMs * 3);
        const int width = view.viewport()->width();
        const double ahead = width + view.horizontalScrollBar()->value() - view.layout().stepX(view.cursorStep());
        // Unscrolled until the playhead reaches two thirds of the notes' width; there it stays.
        EXPECT_NEAR(ahead, ticks > 10 ? (width - RollLayout::kAxisWidth) / 3 : width - view.layout().stepX(9), 1);
    }
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
