#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "language/language_setting.h"
#include "language/qt/translations.h"
#include "ui/dialogs/output_dialog.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

QString menuTitle(MainWindow& window, int index) { return window.menuBar()->actions().at(index)->text(); }

QAction* languageEntry(MainWindow& window, const QString& label) {
    auto* menu = window.findChild<QMenu*>("languageMenu");
    if (!menu) return nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == label) return action;
    return nullptr;
}

class LanguageTest : public WindowTest {
protected:
    void TearDown() override { installTranslations(*QCoreApplication::instance(), Language::Japanese); }
    void use(Language language) {
        ASSERT_TRUE(installTranslations(*QCoreApplication::instance(), language) ||
                    language == Language::Japanese);
    }
};

TEST_F(LanguageTest, EnglishWindowShowsEnglishCaptionsMenusAndMessages) {
    use(Language::English);
    auto window = openWindow();
    const MainControls& c = window->controls();
    EXPECT_EQ(menuTitle(*window, 0), "&File");
    EXPECT_EQ(menuTitle(*window, 1), "&Edit");
    EXPECT_EQ(menuTitle(*window, 3), "&Settings");
    EXPECT_EQ(qobject_cast<QGroupBox*>(c.options.widget(OptionId::ScalePattern))->title(), "Pattern");
    EXPECT_EQ(c.options.checkBox(OptionId::ChordsAtWordStarts)->text(), "Chord at word start");
    EXPECT_EQ(c.outputButton->text(), "Output…");
    EXPECT_EQ(c.playButton->text(), "Play");  // English in both languages
    // texts that come from the engine are translated at display time
    EXPECT_EQ(c.statusTransport->text(), "Idle");
    EXPECT_EQ(c.options.comboBox(OptionId::RhythmItem)->itemText(1), "16 beats (4/4)");
    EXPECT_FALSE(c.statusPattern->text().contains(QChar(0x30D5)));  // no katakana pattern name

    // a message of the window: export of an empty text
    prompts->saveAnswers.push_back(QString::fromStdString(path("empty.mid")));
    window->controls().midiButton->click();
    for (int wait = 0; wait < 200 && prompts->errors.empty(); ++wait) QTest::qWait(10);
    ASSERT_FALSE(prompts->errors.empty());
    EXPECT_EQ(prompts->errors.back(),
              "The text is empty, so there is nothing to export.");  // the box adds the full stop
}

TEST_F(LanguageTest, JapaneseWindowKeepsTheExactSourceTexts) {
    use(Language::Japanese);
    auto window = openWindow();
    const MainControls& c = window->controls();
    EXPECT_EQ(menuTitle(*window, 0), "ファイル(&F)");
    EXPECT_EQ(menuTitle(*window, 3), "設定(&S)");
    EXPECT_EQ(qobject_cast<QGroupBox*>(c.options.widget(OptionId::ScalePattern))->title(), "パターン");
    EXPECT_EQ(c.options.checkBox(OptionId::ChordsAtWordStarts)->text(), "語頭で和音を鳴らす");
    EXPECT_EQ(c.statusTransport->text(), "休憩中");
    EXPECT_EQ(c.options.comboBox(OptionId::RhythmItem)->itemText(1), "16拍（4拍子）");
    EXPECT_EQ(c.options.checkBox(OptionId::BackingHighEnabled)->toolTip(),
              "高域制限 値以上の高音をオクターブ下げる73..100　３点ハが84");
}

#ifdef VELMORA_HAVE_SOUND
// The text the output dialog shows for an output, by the output's name.
QString outputItem(const OutputDialog& dialog, const char* name) {
    const auto* output = dialog.findChild<QComboBox*>("output");
    return output->itemText(output->findData(QString(name)));
}

TEST_F(LanguageTest, TheOutputDialogDescribesTheOutputsInTheWindowsLanguage) {
    {
        OutputDialog dialog(OutputSettings{}, nullptr);
        EXPECT_EQ(outputItem(dialog, "fluidsynth"), "fluidsynth  —  内蔵の General MIDI シンセサイザー (FluidSynth)");
        EXPECT_EQ(outputItem(dialog, "none"), "none  —  音を出さない");
    }
    use(Language::English);
    OutputDialog dialog(OutputSettings{}, nullptr);
    EXPECT_EQ(outputItem(dialog, "capture:FILE"), "capture:FILE  —  write every message with its time to FILE");
}
#endif

TEST_F(LanguageTest, LanguageMenuStoresTheChoiceAndTheWindowKeepsItsLanguage) {
    use(Language::Japanese);
    auto window = openWindow();
    QAction* english = languageEntry(*window, "English");
    ASSERT_NE(english, nullptr);
    ASSERT_NE(languageEntry(*window, "自動"), nullptr);
    EXPECT_TRUE(languageEntry(*window, "自動")->isChecked());
    english->trigger();
    EXPECT_EQ(readLanguageChoice(globalPath()).preference(), LanguagePreference::English);
    // applies at the next start, said in the language the window speaks now
    EXPECT_EQ(window->controls().statusNotice->text(), "言語の変更は次回の起動から有効になります");
    EXPECT_EQ(QCoreApplication::translate("velmora::MainWindow", "パターン"), "パターン");

    auto next = openWindow();
    EXPECT_TRUE(languageEntry(*next, "English")->isChecked());
    EXPECT_EQ(startupLanguage(QString::fromStdString(globalPath())), Language::English);
}

}  // namespace
}  // namespace velmora::testing
