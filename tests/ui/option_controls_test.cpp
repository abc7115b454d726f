#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "window_fixture.h"

namespace velmora::testing {
namespace {

using OptionControls = WindowTest;

TEST_F(OptionControls, StartWithTheControlsInitialStatesAndMatchingOptions) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    const PerformanceOptions defaults;
    const PerformanceOptions& o = window->options();
    EXPECT_EQ(c.options.patternGroup(OptionId::ScalePattern)->checkedId(), 0);
    EXPECT_EQ(c.options.spinEdit(OptionId::TickMs)->value(), 200);
    EXPECT_EQ(c.options.comboBox(OptionId::RhythmItem)->currentText(), "8拍（4拍子）");
    EXPECT_EQ(c.options.comboBox(OptionId::SoloInstrument)->currentIndex(), 74);
    EXPECT_EQ(o.tickMs, defaults.tickMs);
    EXPECT_EQ(o.soloInstrument, defaults.soloInstrument);
    EXPECT_EQ(o.chordsAtWordStarts, defaults.chordsAtWordStarts);
    EXPECT_EQ(window->windowTitle(), "Velmora");
    EXPECT_EQ(window->pos(), QPoint(321, 163));
    EXPECT_EQ(c.statusTransport->text(), "休憩中");
    EXPECT_EQ(c.keyName->text(), "E♭");  // pattern 1, tonic on E, as when it is chosen again
    EXPECT_EQ(window->transport().state().keyNote, 63);
    EXPECT_TRUE(c.options.spinEdit(OptionId::TickMs)->toolTip().contains("♩ = 150"));  // 200 ms a step
    EXPECT_FALSE(c.options.comboBox(OptionId::RhythmItem)->isEditable());              // a list, no free text
}

TEST_F(OptionControls, EachChangeIsCopiedIntoTheOptions) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    const PerformanceOptions& o = window->options();
    c.options.checkBox(OptionId::ChordsAtWordStarts)->setChecked(false);
    c.options.checkBox(OptionId::UnassignedLettersStartWords)->setChecked(true);
    c.options.checkBox(OptionId::SkipRestsOnBeats)->setChecked(false);
    c.options.checkBox(OptionId::ThickChords)->setChecked(false);
    c.options.checkBox(OptionId::BackingHighEnabled)->setChecked(true);
    c.options.checkBox(OptionId::BackingLowEnabled)->setChecked(true);
    c.options.spinEdit(OptionId::BackingHighNote)->setValue(90);
    c.options.spinEdit(OptionId::BackingLowNote)->setValue(40);
    c.options.spinEdit(OptionId::MelodyVelocity)->setValue(60);
    c.options.spinEdit(OptionId::ChordVelocity)->setValue(70);
    c.options.spinEdit(OptionId::RhythmCorrection)->setValue(2);
    c.options.spinEdit(OptionId::MelodyReverb)->setValue(30);
    c.options.spinEdit(OptionId::BackingReverb)->setValue(40);
    c.options.comboBox(OptionId::BackingInstrument)->setCurrentIndex(12);
    c.options.checkBox(OptionId::RepeatAtEnd)->setChecked(true);
    c.options.checkBox(OptionId::RhythmFromFirstCharacter)->setChecked(true);
    c.options.checkBox(OptionId::OctaveDown)->setChecked(true);
    EXPECT_FALSE(o.chordsAtWordStarts);
    EXPECT_TRUE(o.unassignedLettersStartWords);
    EXPECT_FALSE(o.skipRestsOnBeats);
    EXPECT_FALSE(o.thickChords);
    EXPECT_TRUE(o.backingRange.high.enabled);
    EXPECT_TRUE(o.backingRange.low.enabled);
    EXPECT_EQ(o.backingRange.high.note, 90);
    EXPECT_EQ(o.backingRange.low.note, 40);
    EXPECT_EQ(o.melodyVelocity, 60);
    EXPECT_EQ(o.chordVelocity, 70);
    EXPECT_EQ(o.rhythmCorrection, 2);
    EXPECT_EQ(o.melodyReverb, 30);
    EXPECT_EQ(o.backingReverb, 40);
    EXPECT_EQ(o.backingInstrument, 12);
    EXPECT_TRUE(o.repeatAtEnd);
    EXPECT_TRUE(o.rhythmFromFirstCharacter);
    EXPECT_EQ(o.chordDrop(), 12);
}

TEST_F(OptionControls, PatternTonicAndKeyShiftUpdateTheKeyDisplay) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    c.options.patternGroup(OptionId::ScalePattern)->button(0)->click();
    EXPECT_EQ(c.keyName->text(), "E♭");  // pattern 1, tonic on E
    EXPECT_FALSE(c.statusPattern->text().isEmpty());
    c.options.checkBox(OptionId::TonicOnE)->setChecked(false);
    EXPECT_EQ(window->options().tonicMode(), TonicMode::A);
    EXPECT_EQ(c.keyName->text(), "C");
    c.options.patternGroup(OptionId::ScalePattern)->button(9)->click();
    c.options.checkBox(OptionId::TonicOnE)->setChecked(true);
    c.options.spinEdit(OptionId::KeyShift)->setValue(-8);
    EXPECT_EQ(window->options().scalePattern, 9);
    EXPECT_EQ(window->transport().state().keyNote, 46);
    EXPECT_EQ(c.keyName->text(), "B♭");
}

TEST_F(OptionControls, RhythmSetsTheGridAndTheEmptyItemKeepsIt) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    c.options.comboBox(OptionId::RhythmItem)->setCurrentIndex(2);
    EXPECT_EQ(window->transport().options().grid.gridSteps, 12);
    EXPECT_EQ(window->transport().options().grid.meterKind, 3);
    c.options.comboBox(OptionId::RhythmItem)->setCurrentIndex(7);
    EXPECT_EQ(window->transport().options().grid.gridSteps, 12);
    c.options.comboBox(OptionId::RhythmItem)->setCurrentIndex(0);
    EXPECT_EQ(window->transport().options().grid.gridSteps, 0);
}

TEST_F(OptionControls, TempoChangesTheTimeEstimate) {
    auto window = openWindow();
    typeText(*window, QString(1200, 'a'));
    EXPECT_EQ(window->controls().estimatedTime->text(), "04 : 00");
    window->controls().options.spinEdit(OptionId::TickMs)->setValue(1000);
    EXPECT_EQ(window->options().timerInterval(), 1000);
    EXPECT_EQ(window->controls().estimatedTime->text(), "20 : 00");
}

TEST_F(OptionControls, TwoChannelSwitchEnablesTheSoloRowOnly) {
    auto window = openWindow();
    const OptionWidgets& c = window->controls().options;
    const std::initializer_list<OptionId> soloRow{OptionId::SoloInstrument, OptionId::SoloHighEnabled,
                                                  OptionId::SoloLowEnabled, OptionId::SoloHighNote,
                                                  OptionId::SoloLowNote};
    EXPECT_FALSE(c.widget(OptionId::SoloInstrument)->isEnabled());
    EXPECT_FALSE(c.widget(OptionId::SoloHighEnabled)->isEnabled());
    EXPECT_FALSE(c.widget(OptionId::SoloLowEnabled)->isEnabled());
    EXPECT_TRUE(c.widget(OptionId::SoloHighNote)->isEnabled());
    EXPECT_TRUE(c.widget(OptionId::SoloLowNote)->isEnabled());

    c.checkBox(OptionId::TwoChannels)->setChecked(true);
    for (OptionId id : soloRow) EXPECT_TRUE(c.widget(id)->isEnabled()) << optionDefinition(id).name;
    EXPECT_TRUE(window->options().twoChannels);
    c.checkBox(OptionId::SoloHighEnabled)->setChecked(true);

    c.checkBox(OptionId::TwoChannels)->setChecked(false);
    for (OptionId id : soloRow) EXPECT_FALSE(c.widget(id)->isEnabled()) << optionDefinition(id).name;
    EXPECT_TRUE(c.checkBox(OptionId::SoloHighEnabled)->isChecked());  // the check boxes keep their state
    EXPECT_TRUE(window->options().soloRange.high.enabled);
}

TEST_F(OptionControls, PresetButtonsAndTheSoloMenuApplyThePresets) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    c.presetButtons[1]->click();
    EXPECT_EQ(c.options.comboBox(OptionId::BackingInstrument)->currentIndex(), 49);
    EXPECT_EQ(window->options().backingInstrument, 49);
    window->commands().soloPreset(4)->trigger();
    EXPECT_EQ(c.options.comboBox(OptionId::SoloInstrument)->currentIndex(), 40);
    EXPECT_EQ(window->options().soloInstrument, 40);
}

// Settings loads: the order of the loader decides what the displays show.
using SettingsLoad = WindowTest;

TEST_F(SettingsLoad, ThePatternDisplayReflectsTheFinalKeyAndTonic) {
    writeFile("velmora.ini", "[config]\r\npatern=0\r\nkeychg=2\r\ntonic=0\r\n");
    auto window = openWindow();
    EXPECT_EQ(window->controls().keyName->text(), "D");  // key base 60 in mode A, shifted by 2
    EXPECT_EQ(window->transport().state().keyNote, 62);
}

TEST_F(SettingsLoad, OutOfRangeIndexesSelectTheLastPatternAndNoInstrument) {
    writeFile("velmora.ini", "[config]\r\npatern=40\r\ninst=200\r\n");
    auto window = openWindow();
    EXPECT_EQ(window->controls().options.patternGroup(OptionId::ScalePattern)->checkedId(), 11);
    EXPECT_EQ(window->options().scalePattern, 11);
    EXPECT_EQ(window->controls().options.comboBox(OptionId::BackingInstrument)->currentIndex(), -1);
    EXPECT_EQ(window->options().backingInstrument, -1);
}

TEST_F(SettingsLoad, MissingKeysTakeTheirReadDefaults) {
    writeFile("velmora.ini", "[config]\r\npatern=5\r\n");
    auto window = openWindow();
    const MainControls& c = window->controls();
    EXPECT_EQ(c.options.patternGroup(OptionId::ScalePattern)->checkedId(), 5);
    EXPECT_EQ(c.options.spinEdit(OptionId::TickMs)->value(), 300);
    EXPECT_EQ(window->options().tickMs, 300);
    EXPECT_EQ(c.options.spinEdit(OptionId::BackingHighNote)->value(), 60);
    EXPECT_EQ(c.options.spinEdit(OptionId::BackingLowNote)->value(), 36);
    EXPECT_EQ(window->options().backingRange.high.note, 60);
    EXPECT_EQ(window->options().backingRange.low.note, 36);
    EXPECT_TRUE(c.options.checkBox(OptionId::OctaveDown)->isChecked());
    EXPECT_EQ(window->options().chordDrop(), 12);
    EXPECT_TRUE(window->options().skipRestsOnBeats);
    EXPECT_EQ(window->pos(), QPoint(300, 250));
}

TEST_F(SettingsLoad, TheTwoChannelSwitchFromAFileSetsTheSoloRow) {
    writeFile("velmora.ini", "[config]\r\n2ch=1\r\nsolo=40\r\nhicut2=1\r\n");
    auto window = openWindow();
    const MainControls& c = window->controls();
    EXPECT_TRUE(c.options.comboBox(OptionId::SoloInstrument)->isEnabled());
    EXPECT_TRUE(c.options.checkBox(OptionId::SoloHighEnabled)->isEnabled());
    EXPECT_TRUE(window->options().soloRange.high.enabled);
    EXPECT_EQ(window->options().melodyProgram(), 40);
}

// Every option the global file stores reaches its control and the options.
TEST_F(SettingsLoad, EveryOptionOfTheGlobalFileIsTaken) {
    PerformanceOptions stored;
    for (const OptionDefinition& definition : optionTable())
        definition.set(stored, definition.initial == definition.high ? definition.low : definition.high);
    saveSettings(globalPath(), true, GlobalSettings{}, stored);
    auto window = openWindow();
    for (const OptionDefinition& definition : optionTable()) {
        EXPECT_EQ(window->controls().options.value(definition.id), definition.get(stored)) << definition.name;
        EXPECT_EQ(definition.get(window->options()), definition.get(stored)) << definition.name;
    }
}

}  // namespace
}  // namespace velmora::testing
