#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "mapping/note_names.h"
#include "ui/dialogs/preset_dialog.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

class PresetMenus : public WindowTest {
protected:
    // The dialog as the program creates it: after the window, reading the global file.
    PresetDialog* attachDialog(MainWindow& window) {
        auto* dialog = new PresetDialog(&window);
        window.attachPresetDialog(dialog);
        dialog->loadPresets(window.globalSettingsPath());
        return dialog;
    }
};

TEST_F(PresetMenus, WithoutASettingsFileTheCaptionsNameWhatThePresetsApply) {
    auto window = openWindow();
    const MainControls& c = window->controls();
    // Before the dialog is there, too.
    window->commands().soloPreset(3)->trigger();
    EXPECT_EQ(c.options.comboBox(OptionId::SoloInstrument)->currentText(), window->commands().soloPreset(3)->text());
    c.presetButtons[5]->click();
    EXPECT_EQ(c.options.comboBox(OptionId::BackingInstrument)->currentText(), c.presetButtons[5]->toolTip());

    attachDialog(*window);
    for (std::size_t slot = 0; slot < 6; ++slot) {
        window->commands().soloPreset(static_cast<int>(slot) + 1)->trigger();
        EXPECT_EQ(c.options.comboBox(OptionId::SoloInstrument)->currentText(), window->commands().soloPreset(static_cast<int>(slot) + 1)->text())
            << slot;
        c.presetButtons[slot]->click();
        EXPECT_EQ(c.options.comboBox(OptionId::BackingInstrument)->currentText(), c.presetButtons[slot]->toolTip())
            << slot;
    }
}

TEST_F(PresetMenus, TypedTextThatNamesNoInstrumentDoesNotStay) {
    auto window = openWindow();
    QComboBox* backing = window->controls().options.comboBox(OptionId::BackingInstrument);
    backing->setCurrentIndex(5);
    backing->lineEdit()->selectAll();
    QTest::keyClicks(backing->lineEdit(), "Kazoo");
    emit backing->lineEdit()->editingFinished();
    EXPECT_EQ(backing->currentText(), backing->itemText(5));
    EXPECT_EQ(window->options().backingInstrument, 5);
    backing->lineEdit()->selectAll();
    QTest::keyClicks(backing->lineEdit(), backing->itemText(7).toLower());
    emit backing->lineEdit()->editingFinished();
    EXPECT_EQ(window->options().backingInstrument, 7);
}

TEST_F(PresetMenus, ASettingsFileWithoutFormKeysRewritesTheCaptionsFromTheDefaults) {
    writeFile("velmora.ini", "[config]\r\ntempo=200\r\n");
    auto window = openWindow();
    attachDialog(*window);
    const MainControls& c = window->controls();
    EXPECT_EQ(window->commands().soloPreset(3)->text(), "OrchestralHarp");
    EXPECT_EQ(window->commands().soloPreset(6)->text(), "PizzicatoStrings");
    EXPECT_EQ(c.presetButtons[5]->toolTip(), "SynthStrings1");
    window->commands().soloPreset(3)->trigger();
    EXPECT_EQ(c.options.comboBox(OptionId::SoloInstrument)->currentIndex(), 46);
}

TEST_F(PresetMenus, APresetWithoutSelectionClearsTheInstrument) {
    writeFile("velmora.ini", "[form]\r\ncom2=300\r\n");
    auto window = openWindow();
    attachDialog(*window);
    window->controls().presetButtons[1]->click();
    EXPECT_EQ(window->controls().options.comboBox(OptionId::BackingInstrument)->currentIndex(), -1);
    EXPECT_EQ(window->options().backingInstrument, -1);
    EXPECT_EQ(window->controls().presetButtons[1]->toolTip(), "");
}

TEST_F(PresetMenus, ClosingStoresTheDialogsPresets) {
    auto window = openWindow();
    PresetDialog* dialog = attachDialog(*window);
    dialog->setSoloPreset(2, 10);
    ASSERT_TRUE(window->close());
    EXPECT_NE(readFile("velmora.ini").find("pre2=10"), std::string::npos);
}

// The note names under the mouse pointer.
class PointerDisplay : public WindowTest {
protected:
    // The name of a character under the first pattern, tonic on A.
    static QString name(char character) {
        SeededRandom unused(1);
        return QString::fromStdString(
            noteName(static_cast<std::uint8_t>(character), 0, TonicMode::A, unused));
    }

    static QPoint pointAt(const MainWindow& window, int position) {
        QTextCursor cursor = window.controls().memo->textCursor();
        cursor.setPosition(position);
        return window.controls().memo->cursorRect(cursor).center() + QPoint(1, 0);
    }
};

TEST_F(PointerDisplay, NamesTheCharactersFromThePointerOn) {
    auto window = openWindow();
    window->controls().options.checkBox(OptionId::TonicOnE)->setChecked(false);
    typeText(*window, "ab");
    QLabel* display = window->controls().pointerNotes;
    // The first movement over the first character shows nothing.
    window->showNotesUnderPointer(pointAt(*window, 0));
    EXPECT_EQ(display->text(), "");

    window->showNotesUnderPointer(pointAt(*window, 1));
    EXPECT_EQ(display->text(), name('B'));
    window->showNotesUnderPointer(pointAt(*window, 0));
    EXPECT_EQ(display->text(), name('A') + name('B'));
    display->setText("unchanged");
    window->showNotesUnderPointer(pointAt(*window, 0));  // within the same character
    EXPECT_EQ(display->text(), "unchanged");
}

TEST_F(PointerDisplay, ShowsBlanksForSignsBreaksAndTwoByteCharacters) {
    auto window = openWindow();
    window->controls().options.checkBox(OptionId::TonicOnE)->setChecked(false);
    typeText(*window, "x,\nあa");
    window->showNotesUnderPointer(pointAt(*window, 1));  // from ','
    // ',', CR, LF and the two bytes of あ show as blanks; then a's name.
    EXPECT_EQ(window->controls().pointerNotes->text(), "     " + name('A'));
}

}  // namespace
}  // namespace velmora::testing
