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
    EXPECT_EQ(c.patern->checkedId(), 0);
    EXPECT_EQ(c.SpinEdit2->value(), 200);
    EXPECT_EQ(c.cryzm->currentText(), "8拍（4拍子）");
    EXPECT_EQ(c.solo->currentIndex(), 74);
    EXPECT_EQ(o.tempo, defaults.tempo);
    EXPECT_EQ(o.solo, defaults.solo);
    EXPECT_EQ(o.hiwaon, defaults.hiwaon);
    EXPECT_EQ(window->windowTitle(), "Velmora");
    EXPECT_EQ(window->pos(), QPoint(321, 163));
    EXPECT_EQ(c.statusTransport->text(), "休憩中");
}

TEST_F(OptionControls, EachChangeIsCopiedIntoTheOptions) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    const PerformanceOptions& o = window->options();
    c.hiwaon->setChecked(false);
    c.moreon->setChecked(true);
    c.cjump->setChecked(false);
    c.octwaon->setChecked(false);
    c.chicut->setChecked(true);
    c.clowcut->setChecked(true);
    c.shicut->setValue(90);
    c.slowcut->setValue(40);
    c.volsolo->setValue(60);
    c.volback->setValue(70);
    c.enryzm->setValue(2);
    c.SpinEdit1->setValue(30);
    c.SpinEdit3->setValue(40);
    c.gakki->setCurrentIndex(12);
    c.crept->setChecked(true);
    c.ctopryzm->setChecked(true);
    c.coctdown->setChecked(true);
    EXPECT_FALSE(o.hiwaon);
    EXPECT_TRUE(o.moreon);
    EXPECT_FALSE(o.cjump);
    EXPECT_FALSE(o.octwaon);
    EXPECT_TRUE(o.chicut);
    EXPECT_TRUE(o.clowcut);
    EXPECT_EQ(o.shicut, 90);
    EXPECT_EQ(o.slowcut, 40);
    EXPECT_EQ(o.volsolo, 60);
    EXPECT_EQ(o.volback, 70);
    EXPECT_EQ(o.enryzm, 2);
    EXPECT_EQ(o.reverbSolo, 30);
    EXPECT_EQ(o.reverb, 40);
    EXPECT_EQ(o.gakki, 12);
    EXPECT_TRUE(o.crept);
    EXPECT_TRUE(o.ctopryzm);
    EXPECT_EQ(o.chordDrop(), 12);
}

TEST_F(OptionControls, PatternTonicAndKeyShiftUpdateTheKeyDisplay) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    c.patern->button(0)->click();
    EXPECT_EQ(c.Label9->text(), "E♭");  // pattern 1, tonic on E
    EXPECT_FALSE(c.statusPattern->text().isEmpty());
    c.retonic->setChecked(false);
    EXPECT_EQ(window->options().tonicMode(), TonicMode::A);
    EXPECT_EQ(c.Label9->text(), "C");
    c.patern->button(9)->click();
    c.retonic->setChecked(true);
    c.ckeyup->setValue(-8);
    EXPECT_EQ(window->options().patern, 9);
    EXPECT_EQ(window->transport().state().keyNote, 46);
    EXPECT_EQ(c.Label9->text(), "B♭");
}

TEST_F(OptionControls, RhythmSetsTheGridAndTheEmptyItemKeepsIt) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    c.cryzm->setCurrentIndex(2);
    EXPECT_EQ(window->transport().options().grid.gridSteps, 12);
    EXPECT_EQ(window->transport().options().grid.meterKind, 3);
    c.cryzm->setCurrentIndex(7);
    EXPECT_EQ(window->transport().options().grid.gridSteps, 12);
    c.cryzm->setCurrentIndex(0);
    EXPECT_EQ(window->transport().options().grid.gridSteps, 0);
}

TEST_F(OptionControls, TempoChangesTheTimeEstimate) {
    auto window = openWindow();
    typeText(*window, QString(1200, 'a'));
    EXPECT_EQ(window->controls().Label3->text(), "04 : 00");
    window->controls().SpinEdit2->setValue(1000);
    EXPECT_EQ(window->options().timerInterval(), 1000);
    EXPECT_EQ(window->controls().Label3->text(), "20 : 00");
}

TEST_F(OptionControls, TwoChannelSwitchEnablesTheSoloRowOnly) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    EXPECT_FALSE(c.solo->isEnabled());
    EXPECT_FALSE(c.chicut2->isEnabled());
    EXPECT_FALSE(c.clowcut2->isEnabled());
    EXPECT_TRUE(c.shicuts->isEnabled());
    EXPECT_TRUE(c.slowcuts->isEnabled());

    c.C2chan->setChecked(true);
    for (QWidget* control :
         std::initializer_list<QWidget*>{c.solo, c.chicut2, c.clowcut2, c.shicuts, c.slowcuts})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(window->options().c2chan);
    c.chicut2->setChecked(true);

    c.C2chan->setChecked(false);
    for (QWidget* control :
         std::initializer_list<QWidget*>{c.solo, c.chicut2, c.clowcut2, c.shicuts, c.slowcuts})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(c.chicut2->isChecked());  // the check boxes keep their state
    EXPECT_TRUE(window->options().chicut2);
}

TEST_F(OptionControls, PresetButtonsAndTheSoloMenuApplyThePresets) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    c.pre[1]->click();
    EXPECT_EQ(c.gakki->currentIndex(), 49);
    EXPECT_EQ(window->options().gakki, 49);
    c.soloMenuItems[3]->trigger();
    EXPECT_EQ(c.solo->currentIndex(), 40);
    EXPECT_EQ(window->options().solo, 40);
}

// Settings loads: the order of the loader decides what the displays show.
using SettingsLoad = WindowTest;

TEST_F(SettingsLoad, ThePatternDisplayReflectsTheFinalKeyAndTonic) {
    writeFile("velmora.ini", "[config]\r\npatern=0\r\nkeychg=2\r\ntonic=0\r\n");
    auto window = openWindow();
    EXPECT_EQ(window->controls().Label9->text(), "D");  // key base 60 in mode A, shifted by 2
    EXPECT_EQ(window->transport().state().keyNote, 62);
}

TEST_F(SettingsLoad, OutOfRangeIndexesSelectTheLastPatternAndNoInstrument) {
    writeFile("velmora.ini", "[config]\r\npatern=40\r\ninst=200\r\n");
    auto window = openWindow();
    EXPECT_EQ(window->controls().patern->checkedId(), 11);
    EXPECT_EQ(window->options().patern, 11);
    EXPECT_EQ(window->controls().gakki->currentIndex(), -1);
    EXPECT_EQ(window->options().gakki, -1);
}

TEST_F(SettingsLoad, MissingKeysTakeTheirReadDefaults) {
    writeFile("velmora.ini", "[config]\r\npatern=5\r\n");
    auto window = openWindow();
    const MainControls& c = window->controls();
    EXPECT_EQ(c.patern->checkedId(), 5);
    EXPECT_EQ(c.SpinEdit2->value(), 300);
    EXPECT_EQ(window->options().tempo, 300);
    EXPECT_EQ(c.shicut->value(), 60);
    EXPECT_EQ(c.slowcut->value(), 36);
    EXPECT_EQ(window->options().shicut, 60);
    EXPECT_EQ(window->options().slowcut, 36);
    EXPECT_TRUE(c.coctdown->isChecked());
    EXPECT_EQ(window->options().chordDrop(), 12);
    EXPECT_TRUE(window->options().cjump);
    EXPECT_EQ(window->pos(), QPoint(300, 250));
}

TEST_F(SettingsLoad, TheTwoChannelSwitchFromAFileSetsTheSoloRow) {
    writeFile("velmora.ini", "[config]\r\n2ch=1\r\nsolo=40\r\nhicut2=1\r\n");
    auto window = openWindow();
    const MainControls& c = window->controls();
    EXPECT_TRUE(c.solo->isEnabled());
    EXPECT_TRUE(c.chicut2->isEnabled());
    EXPECT_TRUE(window->options().chicut2);
    EXPECT_EQ(window->options().melodyProgram(), 40);
}

}  // namespace
}  // namespace velmora::testing
