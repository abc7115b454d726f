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
                 c.options.checkBox(OptionId::TwoChannels), c.BitBtn1, c.BitBtn3, c.BitBtn6, c.pre[0],
                 c.pre[5]}) {
            EXPECT_EQ(control->isEnabled(), !locked) << control->objectName().toStdString();
        }
    }
    static QString highlightedText(const TForm1& window) {
        return window.controls().Memo1->highlightedText();
    }
};

TEST_F(TransportView, PlayLocksTheControlsAndStopFreesThem) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    typeText(*window, "ab\ncd");
    c.BitBtn2->click();
    EXPECT_EQ(c.BitBtn2->text(), "Stop");
    EXPECT_FALSE(c.BitBtn5->isEnabled());
    expectLocked(c, true);
    EXPECT_FALSE(window->acceptDrops());
    EXPECT_EQ(c.statusTransport->text(), "演奏中");
    EXPECT_TRUE(output->isOpen);
    // Options the start does not lock stay live.
    EXPECT_TRUE(c.options.checkBox(OptionId::ChordsAtWordStarts)->isEnabled());
    EXPECT_TRUE(c.options.spinEdit(OptionId::TickMs)->isEnabled());

    c.BitBtn2->click();
    EXPECT_EQ(c.BitBtn2->text(), "Play");
    EXPECT_TRUE(c.BitBtn5->isEnabled());
    expectLocked(c, false);
    EXPECT_FALSE(c.options.comboBox(OptionId::SoloInstrument)->isEnabled());  // two channels are off
    EXPECT_TRUE(window->acceptDrops());
    EXPECT_EQ(c.statusTransport->text(), "休憩中");
    EXPECT_EQ(c.Label4->text(), "00 : 00");
    EXPECT_FALSE(output->isOpen);
}

TEST_F(TransportView, LinePlayLocksThePlayButtonAndReturnsToItsLine) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    typeText(*window, "ab\ncd\nef");
    QTextCursor caret = c.Memo1->textCursor();
    caret.setPosition(4);  // on the line "cd"
    c.Memo1->setTextCursor(caret);
    c.BitBtn5->click();
    EXPECT_EQ(c.BitBtn5->text(), "Stop");
    EXPECT_FALSE(c.BitBtn2->isEnabled());
    expectLocked(c, true);
    EXPECT_EQ(window->transport().state().linePlayStart, 4);
    window->transport().tick();
    EXPECT_EQ(highlightedText(*window), "c");

    c.BitBtn5->click();
    EXPECT_EQ(c.BitBtn5->text(), "LinePlay");
    EXPECT_TRUE(c.BitBtn2->isEnabled());
    EXPECT_EQ(c.Memo1->textCursor().position(), 3);  // the start of "cd"
    expectLocked(c, false);
}

TEST_F(TransportView, TheHighlightFollowsTheSoundingCharacter) {
    auto window = openWindow();
    typeText(*window, "ab\ncd");
    window->controls().BitBtn2->click();
    window->transport().tick();
    EXPECT_EQ(highlightedText(*window), "a");
    window->transport().tick();
    EXPECT_EQ(highlightedText(*window), "b");
    window->transport().tick();
    EXPECT_EQ(highlightedText(*window), "c");
    // The mark is no selection: the caret stays where the performance put it.
    EXPECT_FALSE(window->controls().Memo1->textCursor().hasSelection());
    EXPECT_EQ(window->controls().Memo1->textCursor().position(), 0);
}

TEST_F(TransportView, PauseAndContinueSwitchTheCaption) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    typeText(*window, "abc");
    c.BitBtn2->click();
    c.BitBtn4->click();
    EXPECT_EQ(c.BitBtn4->text(), "Continue");
    c.BitBtn4->click();
    EXPECT_EQ(c.BitBtn4->text(), "Pause");
    c.BitBtn2->click();
}

TEST_F(TransportView, AnEmptyMemoStartsNothing) {
    auto window = openWindow();
    window->controls().BitBtn2->click();
    EXPECT_EQ(window->controls().BitBtn2->text(), "Play");
    EXPECT_EQ(output->openCount, 0);
}

TEST_F(TransportView, TheTwoChannelSettingDecidesTheMelodyProgram) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    c.options.checkBox(OptionId::TwoChannels)->setChecked(true);
    c.options.comboBox(OptionId::SoloInstrument)->setCurrentIndex(40);
    c.options.comboBox(OptionId::BackingInstrument)->setCurrentIndex(5);
    typeText(*window, "a");
    c.BitBtn2->click();
    const auto programChange = [this](std::uint8_t status) {
        for (const CapturedMessage& message : output->messages)
            if (message.status == status) return static_cast<int>(message.data1);
        return -1;
    };
    EXPECT_EQ(programChange(0xC0), 5);          // backing channel
    EXPECT_EQ(programChange(0xC1), 40);         // melody channel
    EXPECT_TRUE(c.options.comboBox(OptionId::SoloInstrument)->isEnabled() == false);  // locked while playing
    c.BitBtn2->click();
    EXPECT_TRUE(c.options.comboBox(OptionId::SoloInstrument)->isEnabled());
}

TEST_F(TransportView, ClosingDuringAPerformanceSilencesTheOutput) {
    auto window = openWindow();
    typeText(*window, "abc");
    window->controls().BitBtn2->click();
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
