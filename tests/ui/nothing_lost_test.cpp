// What the user typed or stored is never lost: typing during a performance,
// unsaved edits, foreign settings files, texts the memo cannot hold whole,
// settings files that cannot be written. Driven through the window's own
// actions and key presses.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "documents/ini_file.h"
#include "documents/process_signals.h"
#include "ui/document/recovery_keeper.h"
#include "ui/window/session_end.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

class NothingLost : public WindowTest {
protected:
    static void press(MainWindow& window, QKeySequence keys) {
        QTest::keySequence(&window, keys);
        QApplication::processEvents();
    }
    static bool isModified(const MainWindow& window) {
        return window.controls().memo->document()->isModified();
    }
};

TEST_F(NothingLost, TypingDuringAPerformanceNeverReplacesTheSoundingCharacter) {
    auto window = openWindow();
    MemoEdit* memo = window->controls().memo;
    typeText(*window, "The morning");
    press(*window, Qt::Key_F5);
    ASSERT_TRUE(window->transport().state().playing);
    for (int tick = 0; tick < 6; ++tick) window->transport().tick();
    ASSERT_EQ(memo->highlightedText().size(), 1);
    memo->setFocus();
    QTest::keyClicks(memo, "XYZ");
    EXPECT_EQ(memo->toPlainText(), "XYZThe morning");
    EXPECT_TRUE(window->transport().state().playing);
}

TEST_F(NothingLost, ClosingWithUnsavedEditsAsksAndCancelKeepsTheWindow) {
    writeFile("story.txt", "once");
    auto window = openWindow();
    window->document().open(path("story.txt"));
    EXPECT_FALSE(isModified(*window));
    QTest::keyClicks(window->controls().memo, "more ");
    ASSERT_TRUE(isModified(*window));

    prompts->saveChangesAnswer = SaveChangesAnswer::Cancel;
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompts->saveQuestions, 1);
    prompts->saveChangesAnswer = SaveChangesAnswer::Save;
    press(*window, QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompts->saveQuestions, 2);
    EXPECT_EQ(readFile("story.txt"), "more once\r\n");
}

TEST_F(NothingLost, OpeningOrANewTextAsksFirstAndDiscardDropsTheEdits) {
    writeFile("one.txt", "one");
    writeFile("two.txt", "two");
    auto window = openWindow();
    window->document().open(path("one.txt"));
    QTest::keyClicks(window->controls().memo, "edited ");

    prompts->saveChangesAnswer = SaveChangesAnswer::Cancel;
    prompts->openAnswers.push_back(QString::fromStdString(path("two.txt")));
    press(*window, QKeySequence::Open);
    EXPECT_EQ(prompts->openDialogs, 0);  // cancelled before the dialog
    EXPECT_EQ(window->document().path(), path("one.txt"));

    prompts->saveChangesAnswer = SaveChangesAnswer::Discard;
    press(*window, QKeySequence::New);
    EXPECT_TRUE(window->controls().memo->toPlainText().isEmpty());
    EXPECT_TRUE(window->document().path().empty());
    EXPECT_EQ(window->windowTitle(), "Velmora");
    EXPECT_EQ(readFile("one.txt"), "one");
    EXPECT_EQ(prompts->saveQuestionNames, (std::vector<std::string>{"one.txt", "one.txt"}));

    // A new text saves through the save dialog, and opening needs no question then.
    QTest::keyClicks(window->controls().memo, "fresh");
    prompts->saveAnswers.push_back(QString::fromStdString(path("fresh")));
    press(*window, QKeySequence::Save);
    EXPECT_EQ(readFile("fresh.txt"), "fresh");
    EXPECT_FALSE(isModified(*window));
    press(*window, QKeySequence::Open);
    EXPECT_EQ(window->document().path(), path("two.txt"));
    EXPECT_EQ(prompts->saveQuestions, 2);
}

TEST_F(NothingLost, AnotherProgramsSettingsFileIsNeitherAppliedNorRewritten) {
    // Files that share some of our names but hold something we never write.
    for (const std::string foreign :
         {"[settings]\ntempo=fast\ncolour=blue\n", "[config]\r\ntempo=fast\r\nvolume=11\r\ncolor=blue\r\n",
          "[config]\r\ntempo=300\r\n[window]\r\nwidth=3\r\n", "[config]\r\ntempo=300\r\nplain words\r\n"}) {
        writeFile("app.txt", "text");
        writeFile("app.ini", foreign);
        writeFile("next.txt", "next");
        auto window = openWindow();
        window->controls().options.spinEdit(OptionId::TickMs)->setValue(420);
        window->document().open(path("app.txt"));
        EXPECT_EQ(window->controls().options.spinEdit(OptionId::TickMs)->value(), 420) << foreign;
        EXPECT_TRUE(window->controls().statusNotice->text().contains("app.ini")) << foreign;
        window->document().open(path("next.txt"));
        ASSERT_TRUE(window->close());
        EXPECT_EQ(readFile("app.ini"), foreign);
    }
}

TEST_F(NothingLost, AnotherProgramsSettingsFileBesideTheTextReopenedAtStartIsLeftAlone) {
    const std::string foreign = "[settings]\ntempo=fast\n";
    writeFile("app.txt", "text");
    writeFile("app.ini", foreign);
    writeFile("next.txt", "next");
    writeFile("velmora.ini", "[config]\r\ntempo=500\r\n[file]\r\nlatest=" + path("app.txt") + "\r\n");
    auto window = openWindow();
    ASSERT_EQ(window->document().path(), path("app.txt"));
    EXPECT_TRUE(window->controls().statusNotice->toolTip().contains("app.ini"));
    window->document().open(path("next.txt"));  // stores the left text's settings
    ASSERT_TRUE(window->close());
    EXPECT_EQ(readFile("app.ini"), foreign);
}

// The recovery copies in the window's folder for them.
std::vector<std::filesystem::path> recoveryCopies(const QTemporaryDir& folder) {
    std::vector<std::filesystem::path> copies;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder.filePath("recovery").toStdString(), error))
        if (entry.path().extension() == ".recovery") copies.push_back(entry.path());
    return copies;
}

TEST_F(NothingLost, TypingIsKeptWhenTheWindowEndsWithoutClosingAndOfferedAtTheNextStart) {
    writeFile("story.txt", "old words\r\n");
    {
        auto window = openWindow();
        window->document().open(path("story.txt"));
        QTest::keyClicks(window->controls().memo, "new ");
        for (int i = 0; i < 200 && recoveryCopies(folder).empty(); ++i) QTest::qWait(10);
        ASSERT_EQ(recoveryCopies(folder).size(), 1u);
        EXPECT_TRUE(readFile("story.txt") == "old words\r\n");
    }  // gone as a killed window goes: no close, no question
    auto later = openWindow();
    EXPECT_EQ(prompts->restoreOffers, std::vector<std::string>{path("story.txt")});  // put off: offered again
    restoreAnswer = RestoreAnswer::Restore;
    auto window = openWindow();
    EXPECT_EQ(window->document().path(), path("story.txt"));
    EXPECT_EQ(window->controls().memo->toPlainText(), "new old words\n");
    EXPECT_TRUE(window->controls().memo->document()->isModified());
    press(*window, QKeySequence::Save);
    EXPECT_EQ(readFile("story.txt"), "new old words\r\n");
    window->document().recoveryKeeper()->flush();
    EXPECT_TRUE(recoveryCopies(folder).empty());
}

TEST_F(NothingLost, AnEndingSignalClosesWithoutQuestionsKeepingTheTextAndTheSettings) {
    auto window = openWindow();
    ProcessSignals::install();
    SessionEnd sessionEnd([&](int) { window->endSession(); });
    QTest::keyClicks(window->controls().memo, "unsaved words");
    ::raise(SIGTERM);
    for (int i = 0; i < 200 && window->isVisible(); ++i) QTest::qWait(10);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompts->saveQuestions, 0);
    EXPECT_TRUE(std::filesystem::exists(globalPath()));
    const std::vector<std::filesystem::path> copies = recoveryCopies(folder);
    ASSERT_EQ(copies.size(), 1u);
    std::ifstream copy(copies[0]);
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(copy), {}).find("unsaved words"), std::string::npos);
}

TEST_F(NothingLost, ATextNamedAtStartIsOpenedInsteadOfTheLastOneWhichIsNeverLeft) {
    writeFile("last.txt", "last");
    writeFile("named.txt", "named");
    writeFile("velmora.ini", "[file]\r\nlatest=" + path("last.txt") + "\r\n");
    auto window = openWindow(false);
    EXPECT_TRUE(window->document().path().empty());
    window->openFiles({QString::fromStdString(path("named.txt"))});
    EXPECT_EQ(window->document().path(), path("named.txt"));
    EXPECT_FALSE(std::filesystem::exists(path("last.ini")));
}

TEST_F(NothingLost, ATextCutAtANulWarnsAndIsNotOverwrittenWithoutAQuestion) {
    const char bytes[] = "MZ\x90\0\x03\0\0\0text after";
    const std::string binary(bytes, sizeof bytes - 1);
    writeFile("program.txt", binary);
    auto window = openWindow();
    window->document().open(path("program.txt"));
    ASSERT_EQ(prompts->warnings.size(), 1u);
    prompts->confirmAnswer = false;
    press(*window, QKeySequence::Save);
    EXPECT_EQ(prompts->confirmations.size(), 1u);
    EXPECT_EQ(readFile("program.txt"), binary);
    prompts->confirmAnswer = true;
    press(*window, QKeySequence::Save);
    EXPECT_NE(readFile("program.txt"), binary);
}

TEST_F(NothingLost, UnwritableTextSettingsAskToGoOnAndTheGlobalFileIsStillStored) {
    writeFile("one.txt", "one");
    writeFile("two.txt", "two");
    auto window = openWindow();
    window->document().open(path("one.txt"));
    std::filesystem::create_directory(path("one.ini"));  // one.txt's settings cannot be written

    prompts->confirmAnswer = false;
    window->document().open(path("two.txt"));
    EXPECT_EQ(window->document().path(), path("one.txt"));
    prompts->confirmAnswer = true;
    window->document().open(path("two.txt"));
    EXPECT_EQ(window->document().path(), path("two.txt"));
    EXPECT_EQ(prompts->confirmations.size(), 2u);

    std::filesystem::create_directory(path("two.ini"));
    window->controls().options.spinEdit(OptionId::TickMs)->setValue(640);
    prompts->quitAnswer = true;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompts->quitQuestions, 1);
    EXPECT_EQ(IniFile::parse(readFile("velmora.ini")).get("config", "tempo"), "640");
}

}  // namespace
}  // namespace velmora::testing
