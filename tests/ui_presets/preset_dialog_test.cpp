#include "ui/dialogs/preset_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "documents/file_error.h"

namespace velmora {
namespace {

// A fresh folder for one test's settings files, removed with them afterwards.
class SettingsFolder {
public:
    SettingsFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-presets-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~SettingsFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& content) const {
        const std::string path = file("velmora.ini");
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

private:
    std::filesystem::path path_;
};

// Every change notice as "s<number>:<text>" or "b<number>:<text>", in order.
class ChangeLog {
public:
    explicit ChangeLog(PresetDialog& dialog) {
        QObject::connect(&dialog, &PresetDialog::soloPresetChanged, [this](int number, const QString& text) {
            entries.push_back("s" + std::to_string(number) + ":" + text.toStdString());
        });
        QObject::connect(&dialog, &PresetDialog::backingPresetChanged, [this](int number, const QString& text) {
            entries.push_back("b" + std::to_string(number) + ":" + text.toStdString());
        });
    }
    std::vector<std::string> entries;
};

class PresetDialogTest : public testing::Test {
protected:
    QComboBox* combo(const char* name) { return dialog.findChild<QComboBox*>(QString::fromUtf8(name)); }

    void typeInto(QComboBox* target, const QString& text) {
        target->lineEdit()->selectAll();
        QTest::keyClick(target->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(target->lineEdit(), text);
    }

    std::vector<int> soloPresets() const {
        std::vector<int> values;
        for (int n = 1; n <= 6; ++n) values.push_back(dialog.soloPreset(n));
        return values;
    }
    std::vector<int> backingPresets() const {
        std::vector<int> values;
        for (int n = 1; n <= 6; ++n) values.push_back(dialog.backingPreset(n));
        return values;
    }

    PresetDialog dialog;
    SettingsFolder folder;
};

TEST_F(PresetDialogTest, OpensWithTheDesignedSelections) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("楽器音域表とソロ楽器プリセット設定"));
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(soloPresets(), (std::vector<int>{74, 69, 55, 40, 42, 108}));
    EXPECT_EQ(backingPresets(), (std::vector<int>{0, 49, 24, 4, 45, 51}));
    EXPECT_EQ(dialog.soloPresetText(3), QStringLiteral("OrchestraHit"));
    EXPECT_EQ(dialog.soloPresetText(6), QStringLiteral("Kalimba"));
    EXPECT_EQ(dialog.backingPresetText(6), QStringLiteral("SynthStrings2"));
}

TEST_F(PresetDialogTest, EveryPresetIsAnEditableListOfAllInstruments) {
    for (const char* name : {"soloPreset1", "soloPreset6", "backingPreset1", "backingPreset6"}) {
        QComboBox* preset = combo(name);
        ASSERT_NE(preset, nullptr) << name;
        EXPECT_TRUE(preset->isEditable()) << name;
        EXPECT_EQ(preset->count(), 112) << name;
        EXPECT_EQ(preset->itemText(98), QStringLiteral("FX3Crysta ")) << name;
    }
    EXPECT_EQ(combo("soloPreset4")->toolTip(), QStringLiteral("ソロ楽器　2ｃｈのみ使用"));
}

TEST_F(PresetDialogTest, MemoShowsTheRangeTableReadOnly) {
    auto* memo = dialog.findChild<QPlainTextEdit*>(QStringLiteral("rangeTable"));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->document()->blockCount(), 80);
    EXPECT_TRUE(memo->toPlainText().startsWith(QStringLiteral("1(00H)")));
}

TEST_F(PresetDialogTest, WithoutSettingsFileNothingChangesAndNoHandlerRuns) {
    ChangeLog log(dialog);
    QSignalSpy changed(&dialog, &PresetDialog::presetsChanged);
    dialog.loadPresets(folder.file("velmora.ini"));
    EXPECT_EQ(soloPresets(), (std::vector<int>{74, 69, 55, 40, 42, 108}));
    EXPECT_EQ(backingPresets(), (std::vector<int>{0, 49, 24, 4, 45, 51}));
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(PresetDialogTest, FileWithoutFormKeysAppliesReadDefaultsAndRewritesEveryCaption) {
    ChangeLog log(dialog);
    QSignalSpy changed(&dialog, &PresetDialog::presetsChanged);
    dialog.loadPresets(folder.write("[config]\r\ntempo=300\r\n"));

    EXPECT_EQ(soloPresets(), (std::vector<int>{74, 69, 46, 40, 42, 45}));
    EXPECT_EQ(backingPresets(), (std::vector<int>{0, 49, 24, 4, 45, 50}));
    // Solo presets first, then backing presets, each 1 to 6, even where the
    // selection stayed as designed.
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"s1:Recorder", "s2:EnglishHorn", "s3:OrchestralHarp", "s4:Violin",
                                        "s5:Cello", "s6:PizzicatoStrings", "b1:AcousticGrandPiano",
                                        "b2:StringEnsemble2", "b3:AcousticGuitarNylon", "b4:RhodesPiano",
                                        "b5:PizzicatoStrings", "b6:SynthStrings1"}));
    EXPECT_EQ(changed.count(), 12);
}

TEST_F(PresetDialogTest, StoredIndexesOutsideTheListLeaveNoSelection) {
    ChangeLog log(dialog);
    dialog.loadPresets(folder.write("[form]\npre1=112\npre2=-1\npre3=111\ncom1=-7\ncom2=0\ncom6=500\n"));
    EXPECT_EQ(soloPresets(), (std::vector<int>{-1, -1, 111, 40, 42, 45}));
    EXPECT_EQ(backingPresets(), (std::vector<int>{-1, 0, 24, 4, 45, -1}));
    EXPECT_EQ(dialog.soloPresetText(1), QString());
    EXPECT_EQ(dialog.backingPresetText(6), QString());
    ASSERT_EQ(log.entries.size(), 12u);
    EXPECT_EQ(log.entries[0], "s1:");  // the caption becomes empty too
    EXPECT_EQ(log.entries[2], "s3:Shanai");
    EXPECT_EQ(log.entries[11], "b6:");
}

TEST_F(PresetDialogTest, InvalidValuesReadAsTheDefaults) {
    dialog.loadPresets(folder.write("[FORM]\nPRE1=7\npre3=abc\npre6=\npre4=0x2A\ncom6=5x\ncom3=0x\n"));
    EXPECT_EQ(soloPresets(), (std::vector<int>{7, 69, 46, 42, 42, 45}));
    EXPECT_EQ(backingPresets(), (std::vector<int>{0, 49, 24, 4, 45, 50}));
}

TEST_F(PresetDialogTest, LoadedSelectionsAreWhatTheSettingsWriterGets) {
    dialog.loadPresets(folder.write("[form]\npre1=1\npre2=2\npre3=300\ncom4=104\ncom5=98\n"));
    const PresetSelections selections = dialog.presetSelections();
    EXPECT_EQ(std::vector<int>(selections.solo.begin(), selections.solo.end()),
              (std::vector<int>{1, 2, -1, 40, 42, 45}));
    EXPECT_EQ(std::vector<int>(selections.backing.begin(), selections.backing.end()),
              (std::vector<int>{0, 49, 24, 104, 98, 50}));
    EXPECT_EQ(dialog.backingPresetText(5), QStringLiteral("FX3Crysta "));
}

TEST_F(PresetDialogTest, UnreadableSettingsFileIsReported) {
    const std::string path = folder.file("velmora.ini");
    std::filesystem::create_directory(path);  // exists, but is no file
    EXPECT_THROW(dialog.loadPresets(path), FileError);
}

TEST_F(PresetDialogTest, ChoosingAnInstrumentNotifiesTheMainWindow) {
    ChangeLog log(dialog);
    QSignalSpy changed(&dialog, &PresetDialog::presetsChanged);
    combo("soloPreset2")->setCurrentIndex(52);
    combo("backingPreset5")->setCurrentIndex(0);
    EXPECT_EQ(dialog.soloPreset(2), 52);
    EXPECT_EQ(dialog.backingPreset(5), 0);
    ASSERT_FALSE(log.entries.empty());
    EXPECT_EQ(log.entries.front(), "s2:ChoirAahs");
    EXPECT_EQ(log.entries.back(), "b5:AcousticGrandPiano");
    EXPECT_GE(changed.count(), 2);
}

TEST_F(PresetDialogTest, TypedTextThatNamesNoItemGivesNoSelection) {
    ChangeLog log(dialog);
    QComboBox* solo = combo("soloPreset1");
    typeInto(solo, QStringLiteral("Zither"));
    EXPECT_EQ(dialog.soloPreset(1), -1);
    EXPECT_EQ(dialog.soloPresetText(1), QStringLiteral("Zither"));
    ASSERT_FALSE(log.entries.empty());
    EXPECT_EQ(log.entries.back(), "s1:Zither");  // copied as typed

    QTest::keyClick(solo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(solo->count(), 112);  // typed text never joins the list
    EXPECT_EQ(dialog.soloPreset(1), -1);
    EXPECT_EQ(dialog.presetSelections().solo[0], -1);
}

TEST_F(PresetDialogTest, TypedNameOfAnItemSelectsIt) {
    typeInto(combo("backingPreset3"), QStringLiteral("Cello"));
    EXPECT_EQ(dialog.backingPreset(3), 42);
    typeInto(combo("backingPreset3"), QStringLiteral("cello"));
    EXPECT_EQ(dialog.backingPresetText(3), QStringLiteral("cello"));
    EXPECT_EQ(dialog.backingPreset(3), -1);  // names are matched as spelled
}

TEST_F(PresetDialogTest, SettersSelectAndNotify) {
    ChangeLog log(dialog);
    dialog.setSoloPreset(4, 73);
    dialog.setBackingPreset(2, 112);
    EXPECT_EQ(dialog.soloPreset(4), 73);
    EXPECT_EQ(dialog.backingPreset(2), -1);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"s4:Flute", "b2:"}));
}

TEST_F(PresetDialogTest, NumbersOutsideOneToSixHaveNoPreset) {
    ChangeLog log(dialog);
    EXPECT_EQ(dialog.soloPreset(0), -1);
    EXPECT_EQ(dialog.backingPreset(7), -1);
    EXPECT_EQ(dialog.soloPresetText(-1), QString());
    dialog.setSoloPreset(7, 3);
    EXPECT_TRUE(log.entries.empty());
}

TEST(PresetDialogPlacementTest, ShowsAtTheMainWindowsRightEdge) {
    QWidget mainWindow;
    mainWindow.setGeometry(100, 80, 400, 300);
    mainWindow.show();
    PresetDialog dialog(&mainWindow);

    auto expected = [&mainWindow] {
        const QRect frame = mainWindow.frameGeometry();
        return QPoint(frame.x() + frame.width() + 1, frame.y());
    };
    dialog.show();
    EXPECT_EQ(dialog.frameGeometry().topLeft(), expected());

    dialog.hide();
    mainWindow.move(250, 40);
    dialog.show();
    EXPECT_EQ(dialog.frameGeometry().topLeft(), expected());
    EXPECT_EQ(expected(), QPoint(mainWindow.frameGeometry().right() + 2, 40));
}

TEST(PresetDialogPlacementTest, ClosingOnlyHides) {
    PresetDialog dialog;
    QPointer<PresetDialog> alive(&dialog);
    dialog.show();
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(alive.isNull());
}

}  // namespace
}  // namespace velmora
