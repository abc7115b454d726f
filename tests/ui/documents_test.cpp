#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <filesystem>

#include "documents/ini_file.h"
#include "documents/text_encoding.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

using Documents = WindowTest;

TEST_F(Documents, OpeningShowsTheLinesAndSavingEndsEachWithCrLf) {
    // A lone LF, a lone CR, CR CR LF, and no final line break.
    writeFile("abc.txt", "A\r\nB\nC\rD\r\r\nE");
    auto window = openWindow();
    prompts->openAnswers.push_back(QString::fromStdString(path("abc.txt")));
    window->document().chooseAndOpen();
    EXPECT_EQ(window->controls().memo->toPlainText(), "A\nB\nC\nD\n\nE\n");
    EXPECT_EQ(window->windowTitle(), "Velmoraabc.txt");
    EXPECT_EQ(window->document().path(), path("abc.txt"));
    window->document().save();
    EXPECT_EQ(readFile("abc.txt"), "A\r\nB\r\nC\r\nD\r\n\r\nE\r\n");
}

TEST_F(Documents, BytesAfterANulAreNotShown) {
    writeFile("nul.txt", std::string("ab\0cd\r\nef", 9));
    auto window = openWindow();
    window->document().open(path("nul.txt"));
    EXPECT_EQ(window->controls().memo->toPlainText(), "ab\n");
}

TEST_F(Documents, SaveAndSaveAsDoNothingOnAnEmptyMemo) {
    writeFile("keep.txt", "old");
    auto window = openWindow();
    window->document().open(path("keep.txt"));
    typeText(*window, "");
    prompts->saveAnswers.push_back(QString::fromStdString(path("new.txt")));
    window->document().save();
    window->document().saveAs();
    EXPECT_TRUE(prompts->saveDialogs.empty());
    EXPECT_EQ(readFile("keep.txt"), "old");
    EXPECT_FALSE(std::filesystem::exists(path("new.txt")));
}

TEST_F(Documents, SaveWithoutANameAsksForOneAsSaveAsDoes) {
    auto window = openWindow();
    typeText(*window, "la la");
    window->document().save();  // the dialog is cancelled
    EXPECT_EQ(prompts->saveDialogs.size(), 1u);
    EXPECT_TRUE(window->document().path().empty());
    prompts->saveAnswers.push_back(QString::fromStdString(path("song")));
    window->document().save();
    EXPECT_EQ(window->document().path(), path("song.txt"));  // the default extension
    EXPECT_EQ(readFile("song.txt"), "la la");
    EXPECT_EQ(window->windowTitle(), "Velmorasong.txt");
}

TEST_F(Documents, RefusingToOverwriteChangesNothing) {
    writeFile("first.txt", "first");
    writeFile("other.txt", "other");
    auto window = openWindow();
    window->document().open(path("first.txt"));
    typeText(*window, "edited");
    for (const OverwriteAnswer answer : {OverwriteAnswer::No, OverwriteAnswer::Cancel}) {
        prompts->overwriteAnswer = answer;
        prompts->saveAnswers.push_back(QString::fromStdString(path("other.txt")));
        window->document().saveAs();
        EXPECT_EQ(readFile("other.txt"), "other");
        EXPECT_EQ(window->document().path(), path("first.txt"));
        EXPECT_EQ(window->windowTitle(), "Velmorafirst.txt");
    }
    EXPECT_EQ(prompts->overwriteQuestions, 2);
    // The dialog opened in the document's folder with its name.
    EXPECT_EQ(prompts->saveDialogs.front().fileName, "first.txt");
    EXPECT_EQ(prompts->saveDialogs.front().directory.toStdString(), folder.path().toStdString());
}

TEST_F(Documents, AnUnreadableTextKeepsThePreviousDocumentAndSettings) {
    writeFile("good.txt", "good");
    auto window = openWindow();
    window->document().open(path("good.txt"));
    window->controls().options.spinEdit(OptionId::TickMs)->setValue(250);
    std::filesystem::create_directory(path("folder.txt"));
    writeFile("folder.ini", "[config]\r\ntempo=900\r\n");
    window->document().open(path("folder.txt"));
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0], "ファイル " + path("folder.txt") + " は開けません.");
    EXPECT_EQ(window->document().path(), path("good.txt"));
    EXPECT_EQ(window->controls().options.spinEdit(OptionId::TickMs)->value(), 250);
    EXPECT_EQ(window->windowTitle(), "Velmoragood.txt");
    typeText(*window, "changed");
    window->document().save();
    EXPECT_EQ(readFile("good.txt"), "changed");
}

TEST_F(Documents, ATextKeepsItsEncodingUnlessCp932CannotHoldIt) {
    writeFile("sjis.txt", "\x82\xA0\r\n");  // あ in CP932
    auto window = openWindow();
    window->document().open(path("sjis.txt"));
    EXPECT_EQ(window->controls().memo->toPlainText(), "あ\n");
    window->document().save();
    EXPECT_EQ(readFile("sjis.txt"), "\x82\xA0\r\n");
    typeText(*window, "あ\u00E9");  // é has no CP932 form
    window->document().save();
    EXPECT_EQ(readFile("sjis.txt"), "\xE3\x81\x82\xC3\xA9");
    EXPECT_EQ(window->document().encoding(), TextEncoding::Utf8);
    EXPECT_TRUE(window->controls().statusNotice->text().contains("UTF-8"));
}

TEST_F(Documents, TheTimeEstimateKeepsItsLastValueWhenTheTextIsDeleted) {
    auto window = openWindow();
    typeText(*window, QString(61, 'x'));
    window->controls().options.spinEdit(OptionId::TickMs)->setValue(1000);
    EXPECT_EQ(window->controls().estimatedTime->text(), "01 : 01");
    typeText(*window, "");
    EXPECT_EQ(window->controls().estimatedTime->text(), "01 : 01");
}

TEST_F(Documents, WrappedLinesAreLinesOfTheirOwn) {
    auto window = openWindow();
    MemoEdit* memo = window->controls().memo;
    memo->setFixedWidth(120);
    QApplication::processEvents();
    typeText(*window, "one two three four five six seven eight nine ten\nend");
    const MemoGeometry geometry = memo->geometry();
    ASSERT_GE(geometry.playLines().size(), 4u);
    // The pieces of the first paragraph follow one another without a line break.
    const auto& starts = geometry.lineStarts();
    const std::size_t pieces = geometry.playLines().size() - 1;
    for (std::size_t i = 1; i < pieces; ++i)
        EXPECT_EQ(starts[i], starts[i - 1] + static_cast<std::int32_t>(geometry.playLines()[i - 1].size()));
    EXPECT_EQ(starts[pieces], 48 + 2);
    EXPECT_EQ(geometry.playLines().back(), "END");
}

// Which settings file an open reads, and the global rows.
using SettingsFiles = WindowTest;

TEST_F(SettingsFiles, OpeningStoresTheLeftTextsSettingsAndLoadsTheNewOnes) {
    writeFile("one.txt", "one");
    writeFile("two.txt", "two");
    writeFile("two.ini", "[form]\r\nleft=5\r\n[config]\r\ntempo=500\r\nrepeat=1\r\n");
    auto window = openWindow();
    window->document().open(path("one.txt"));
    window->controls().options.spinEdit(OptionId::TickMs)->setValue(420);
    window->document().open(path("two.txt"));
    EXPECT_EQ(window->controls().options.spinEdit(OptionId::TickMs)->value(), 500);
    EXPECT_FALSE(
        window->controls().options.checkBox(OptionId::RepeatAtEnd)->isChecked());  // repeat is read from the
                                                                                   // global file only
    EXPECT_NE(window->pos().x(), 5);
    const IniFile left = IniFile::parse(readFile("one.ini"));
    EXPECT_EQ(left.get("config", "tempo"), "420");
    EXPECT_FALSE(left.get("form", "left").has_value());
}

TEST_F(SettingsFiles, ATextWhoseSettingsFileIsTheGlobalOneReadsTheGlobalRowsButStaysOpen) {
    writeFile("other.txt", "other");
    writeFile("velmora.txt", "same name");
    writeFile("velmora.ini",
              "[config]\r\nrepeat=1\r\ntempo=600\r\n[file]\r\nlatest=" + path("other.txt") + "\r\n");
    auto window = openWindow();
    EXPECT_EQ(window->document().path(), path("other.txt"));
    window->controls().options.checkBox(OptionId::RepeatAtEnd)->setChecked(false);
    window->document().open(path("velmora.txt"));
    EXPECT_EQ(window->document().path(), path("velmora.txt"));
    EXPECT_EQ(window->controls().memo->toPlainText(), "same name\n");
    // other.txt's settings went to other.ini; then velmora.ini was read with its global rows.
    EXPECT_TRUE(std::filesystem::exists(path("other.ini")));
    EXPECT_TRUE(window->controls().options.checkBox(OptionId::RepeatAtEnd)->isChecked());
    ASSERT_TRUE(window->close());
    const IniFile global = IniFile::parse(readFile("velmora.ini"));
    EXPECT_EQ(global.get("file", "latest"), path("velmora.txt"));
}

TEST_F(SettingsFiles, AFirstRunLeavesEveryKeyAndAnEmptyLatest) {
    {
        auto window = openWindow();
        ASSERT_TRUE(window->close());
    }
    const IniFile global = IniFile::parse(readFile("velmora.ini"));
    for (const char* key : {"left", "top", "pre1", "pre2", "pre3", "pre4", "pre5", "pre6", "com1", "com2",
                            "com3", "com4", "com5", "com6"})
        EXPECT_TRUE(global.get("form", key).has_value()) << key;
    for (const char* key : {"repeat",     "inst",    "solo",  "vol",    "volback", "tempo",   "reverb",
                            "reverbsolo", "patern",  "hinum", "lownum", "hinums",  "lownums", "ryzm",
                            "keychg",     "tonic",   "oct",   "waon",   "hicut",   "lowcut",  "hicut2",
                            "lowcut2",    "topryzm", "2ch",   "more",   "jump",    "octdown", "hosei"})
        EXPECT_TRUE(global.get("config", key).has_value()) << key;
    EXPECT_EQ(global.get("file", "latest"), "");
    EXPECT_EQ(global.get("form", "left"), "321");
    EXPECT_EQ(global.get("config", "tempo"), "200");
    EXPECT_EQ(global.get("midi", "output"), "fluidsynth");
}

TEST_F(SettingsFiles, ASecondRunReopensTheDocumentWithTheSettingsOfTheClose) {
    writeFile("story.txt", "once upon a time");
    {
        auto window = openWindow();
        window->document().open(path("story.txt"));
        window->controls().options.spinEdit(OptionId::TickMs)->setValue(330);
        window->controls().options.checkBox(OptionId::ChordsAtWordStarts)->setChecked(false);
        window->move(200, 120);
        ASSERT_TRUE(window->close());
    }
    auto window = openWindow();
    EXPECT_EQ(window->document().path(), path("story.txt"));
    EXPECT_EQ(window->controls().memo->toPlainText(), "once upon a time\n");
    EXPECT_EQ(window->controls().options.spinEdit(OptionId::TickMs)->value(), 330);
    EXPECT_FALSE(window->options().chordsAtWordStarts);
    EXPECT_EQ(window->pos(), QPoint(200, 120));
    EXPECT_EQ(window->windowTitle(), "Velmorastory.txt");
}

TEST_F(SettingsFiles, SettingsThatCannotBeWrittenAskBeforeQuitting) {
    auto window = openWindow();
    std::filesystem::create_directory(path("velmora.ini"));  // the global file cannot be written
    prompts->quitAnswer = false;
    EXPECT_FALSE(window->close());
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0], globalPath() + " に書き込めません.");
    prompts->quitAnswer = true;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompts->quitQuestions, 2);
}

// The export command's dialog.
using Export = WindowTest;

TEST_F(Export, ProposesTheTextsNameWithTheMidiExtension) {
    writeFile("story.txt", "abc");
    writeFile("notes", "abc");
    auto window = openWindow();
    window->document().open(path("story.txt"));
    window->controls().midiButton->click();
    window->document().open(path("notes"));
    window->controls().midiButton->click();
    ASSERT_EQ(prompts->saveDialogs.size(), 2u);
    EXPECT_EQ(prompts->saveDialogs[0].fileName, "story.mid");
    EXPECT_EQ(prompts->saveDialogs[0].defaultSuffix, "mid");
    EXPECT_EQ(prompts->saveDialogs[0].filters, QStringList{"MIDI ファイル (*.mid)"});
    EXPECT_EQ(prompts->saveDialogs[0].title, "MIDI ファイルに書き出す");
    EXPECT_EQ(prompts->saveDialogs[1].fileName, "notes.mid");
    EXPECT_EQ(window->saveDialog().defaultSuffix, "txt");  // back after the cancel
    EXPECT_TRUE(prompts->informations.empty());
}

TEST_F(Export, ExportsALoadedTextWithItsFinalLineBreak) {
    writeFile("song.txt", "first line\r\nsecond\r\n");
    auto window = openWindow();
    window->document().open(path("song.txt"));
    prompts->saveAnswers.push_back(QString::fromStdString(path("song.mid")));
    window->controls().midiButton->click();
    EXPECT_TRUE(prompts->errors.empty());
    EXPECT_EQ(prompts->informations, std::vector<std::string>{"完了しました"});
    EXPECT_EQ(readFile("song.mid").substr(0, 4), "MThd");
}

TEST_F(Export, AnEmptyTextIsReportedAndNothingIsWritten) {
    auto window = openWindow();
    prompts->saveAnswers.push_back(QString::fromStdString(path("empty.mid")));
    window->controls().midiButton->click();
    EXPECT_EQ(prompts->errors.size(), 1u);
    EXPECT_TRUE(prompts->informations.empty());
    EXPECT_FALSE(std::filesystem::exists(path("empty.mid")));
    EXPECT_EQ(window->saveDialog().defaultSuffix, "txt");
}

TEST_F(Export, WritesTheFileAndSaysSo) {
    auto window = openWindow();
    typeText(*window, "hello world\nagain");
    window->controls().playButton->click();  // a performance runs on undisturbed
    window->transport().tick();
    const auto before = window->transport().state().memoPos;
    prompts->saveAnswers.push_back(QString::fromStdString(path("out")));
    window->controls().midiButton->click();
    ASSERT_EQ(prompts->informations, std::vector<std::string>{"完了しました"});
    const std::string file = readFile("out.mid");
    ASSERT_GE(file.size(), 14u);
    EXPECT_EQ(file.substr(0, 4), "MThd");
    EXPECT_EQ(window->transport().state().memoPos, before);
    EXPECT_TRUE(window->transport().state().playing);
}

TEST_F(Export, ScoreCarriesTheCharactersAsTypedUnderTheNotesAndTheTitle) {
    auto window = openWindow();
    typeText(*window, "Morning walk");
    prompts->saveAnswers.push_back(QString::fromStdString(path("walk")));
    prompts->filterAnswer = "MusicXML (*.musicxml)";
    window->findChild<QAction*>("exportScore")->trigger();
    ASSERT_TRUE(prompts->errors.empty()) << prompts->errors[0];
    const std::string score = readFile("walk.musicxml");
    EXPECT_NE(score.find("<work-title>walk</work-title>"), std::string::npos);
    EXPECT_NE(score.find("<text>M</text>"), std::string::npos);
    EXPECT_NE(score.find("<text>w</text>"), std::string::npos);  // not upper-cased
}

TEST_F(Export, MidiLyricsFollowTheMenusCheckBox) {
    auto window = openWindow();
    typeText(*window, "la la");
    for (const bool lyrics : {false, true}) {
        window->findChild<QAction*>("midiLyrics")->setChecked(lyrics);
        const std::string name = lyrics ? "with.mid" : "without.mid";
        prompts->saveAnswers.push_back(QString::fromStdString(path(name)));
        window->controls().midiButton->click();
        EXPECT_EQ(readFile(name).find(std::string("\xFF\x05\x01l", 4)) != std::string::npos, lyrics) << name;
    }
}

}  // namespace
}  // namespace velmora::testing
