#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "window_fixture.h"

namespace velmora::testing {
namespace {

class TransportView : public WindowTest {
protected:
    // The controls a performance locks, as (name, enabled) now.
    static void expectLocked(const MainControls& c, bool locked) {
        for (QWidget* control : std::initializer_list<QWidget*>{
                 c.options.widget(OptionId::ScalePattern), c.options.comboBox(OptionId::BackingInstrument),
                 c.options.checkBox(OptionId::TonicOnE),
                 c.options.checkBox(OptionId::RhythmFromFirstCharacter),
                 c.options.checkBox(OptionId::TwoChannels), c.openButton, c.saveAsButton, c.saveButton, c.presetButtons[0],
                 c.presetButtons[5]}) {
            EXPECT_EQ(control->isEnabled(), !locked) << control->objectName().toStdString();
        }
    }
    static QString highlightedText(const MainWindow& window) {
        return window.controls().memo->highlightedText();
    }
};

TEST_F(TransportView, PlayLocksTheControlsAndStopFreesThem) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    typeText(*window, "ab\ncd");
    c.playButton->click();
    EXPECT_EQ(c.playButton->text(), "Stop");
    EXPECT_FALSE(c.linePlayButton->isEnabled());
    expectLocked(c, true);
    EXPECT_FALSE(window->acceptDrops());
    EXPECT_EQ(c.statusTransport->text(), "演奏中");
    EXPECT_TRUE(output->isOpen);
    // Options the start does not lock stay live.
    EXPECT_TRUE(c.options.checkBox(OptionId::ChordsAtWordStarts)->isEnabled());
    EXPECT_TRUE(c.options.spinEdit(OptionId::TickMs)->isEnabled());

    c.playButton->click();
    EXPECT_EQ(c.playButton->text(), "Play");
    EXPECT_TRUE(c.linePlayButton->isEnabled());
    expectLocked(c, false);
    EXPECT_FALSE(c.options.comboBox(OptionId::SoloInstrument)->isEnabled());  // two channels are off
    EXPECT_TRUE(window->acceptDrops());
    EXPECT_EQ(c.statusTransport->text(), "休憩中");
    EXPECT_EQ(c.elapsedTime->text(), "00 : 00");
    EXPECT_FALSE(output->isOpen);
}

TEST_F(TransportView, LinePlayLocksThePlayButtonAndReturnsToItsLine) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    typeText(*window, "ab\ncd\nef");
    QTextCursor caret = c.memo->textCursor();
    caret.setPosition(4);  // on the line "cd"
    c.memo->setTextCursor(caret);
    c.linePlayButton->click();
    EXPECT_EQ(c.linePlayButton->text(), "Stop");
    EXPECT_FALSE(c.playButton->isEnabled());
    expectLocked(c, true);
    EXPECT_EQ(window->transport().state().linePlayStart, 4);
    window->transport().tick();
    EXPECT_EQ(highlightedText(*window), "c");

    c.linePlayButton->click();
    EXPECT_EQ(c.linePlayButton->text(), "LinePlay");
    EXPECT_TRUE(c.playButton->isEnabled());
    EXPECT_EQ(c.memo->textCursor().position(), 3);  // the start of "cd"
    expectLocked(c, false);
}

TEST_F(TransportView, TheHighlightFollowsTheSoundingCharacter) {
    auto window = openWindow();
    typeText(*window, "ab\ncd");
    window->controls().playButton->click();
    window->transport().tick();
    EXPECT_EQ(highlightedText(*window), "a");
    window->transport().tick();
    EXPECT_EQ(highlightedText(*window), "b");
    window->transport().tick();
    EXPECT_EQ(highlightedText(*window), "c");
    // The mark is no selection: the caret stays where the performance put it.
    EXPECT_FALSE(window->controls().memo->textCursor().hasSelection());
    EXPECT_EQ(window->controls().memo->textCursor().position(), 0);
}

TEST_F(TransportView, PauseAndContinueSwitchTheCaption) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    typeText(*window, "abc");
    c.playButton->click();
    c.pauseButton->click();
    EXPECT_EQ(c.pauseButton->text(), "Continue");
    c.pauseButton->click();
    EXPECT_EQ(c.pauseButton->text(), "Pause");
    c.playButton->click();
}

TEST_F(TransportView, AnEmptyMemoStartsNothing) {
    auto window = openWindow();
    window->controls().playButton->click();
    EXPECT_EQ(window->controls().playButton->text(), "Play");
    EXPECT_EQ(output->openCount, 0);
}

TEST_F(TransportView, TheTwoChannelSettingDecidesTheMelodyProgram) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    c.options.checkBox(OptionId::TwoChannels)->setChecked(true);
    c.options.comboBox(OptionId::SoloInstrument)->setCurrentIndex(40);
    c.options.comboBox(OptionId::BackingInstrument)->setCurrentIndex(5);
    typeText(*window, "a");
    c.playButton->click();
    const auto programChange = [this](std::uint8_t status) {
        for (const CapturedMessage& message : output->messages)
            if (message.status == status) return static_cast<int>(message.data1);
        return -1;
    };
    EXPECT_EQ(programChange(0xC0), 5);          // backing channel
    EXPECT_EQ(programChange(0xC1), 40);         // melody channel
    EXPECT_TRUE(c.options.comboBox(OptionId::SoloInstrument)->isEnabled() == false);  // locked while playing
    c.playButton->click();
    EXPECT_TRUE(c.options.comboBox(OptionId::SoloInstrument)->isEnabled());
}

TEST_F(TransportView, ClosingDuringAPerformanceSilencesTheOutput) {
    auto window = openWindow();
    typeText(*window, "abc");
    window->controls().playButton->click();
    window->transport().tick();
    ASSERT_TRUE(window->close());
    EXPECT_FALSE(output->isOpen);
    ASSERT_GE(output->messages.size(), 2u);
    const CapturedMessage& last = output->messages.back();
    EXPECT_EQ(last.status, 0xB1);
    EXPECT_EQ(last.data1, 120);  // all sound off
}

}  // namespace
}  // namespace velmora::testing
