// The desktop's habits: the menu bar and its shortcuts, the recent documents,
// keyboard reach, window placement and size, visible export names.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "ui/controls/elided_label.h"
#include "ui/dialogs/output_dialog.h"
#include "ui/window/window_placement.h"
#include "ui/roll/roll_view.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

using DesktopConventions = WindowTest;

QAction* action(MainWindow& window, const char* name) { return window.findChild<QAction*>(name); }

TEST_F(DesktopConventions, TheMenuBarHoldsEveryCommandWithItsShortcut) {
    auto window = openWindow();
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"ファイル(&F)", "編集(&E)", "演奏(&P)", "設定(&S)", "ヘルプ(&H)"}));
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"newDocument", QKeySequence("Ctrl+N")},  {"openDocument", QKeySequence("Ctrl+O")},
        {"saveDocument", QKeySequence("Ctrl+S")}, {"saveDocumentAs", QKeySequence("Ctrl+Shift+S")},
        {"quit", QKeySequence("Ctrl+Q")},         {"play", QKeySequence("F5")},
        {"linePlay", QKeySequence("F6")},         {"pause", QKeySequence("F7")},
        {"silenceChord", QKeySequence("Esc")},    {"undo", QKeySequence("Ctrl+Z")},
        {"redo", QKeySequence("Ctrl+Y")},         {"find", QKeySequence("Ctrl+F")}};
    for (const auto& [name, keys] : shortcuts) {
        ASSERT_NE(action(*window, name), nullptr) << name;
        EXPECT_EQ(action(*window, name)->shortcut(), keys) << name;
    }
    for (const char* name : {"exportMidi", "chooseOutput", "showPresets", "about"})
        EXPECT_NE(action(*window, name), nullptr) << name;
}

TEST_F(DesktopConventions, PlayFromTheMenuLocksFileCommandsLikeTheButtons) {
    auto window = openWindow();
    typeText(*window, "abc");
    action(*window, "play")->trigger();
    EXPECT_EQ(window->controls().playButton->text(), "Stop");
    for (const char* name : {"openDocument", "newDocument", "saveDocument", "saveDocumentAs", "chooseOutput"})
        EXPECT_FALSE(action(*window, name)->isEnabled()) << name;
    action(*window, "play")->trigger();
    EXPECT_TRUE(action(*window, "newDocument")->isEnabled());
}

TEST_F(DesktopConventions, RecentDocumentsAreListedLatestFirstAndKeptForTheNextRun) {
    writeFile("one.txt", "one");
    writeFile("two.txt", "two");
    {
        auto window = openWindow();
        window->document().open(path("one.txt"));
        window->document().open(path("two.txt"));
        ASSERT_TRUE(window->close());
    }
    auto window = openWindow();
    auto* recent = window->findChild<QMenu*>("recentMenu");
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_TRUE(recent->actions()[0]->text().endsWith("two.txt"));
    recent->actions()[1]->trigger();
    EXPECT_EQ(window->document().path(), path("one.txt"));
}

TEST_F(DesktopConventions, TabLeavesTheMemoAndTheButtonsTakeTheKeyboardFocus) {
    auto window = openWindow();
    window->activateWindow();
    MemoEdit* memo = window->controls().memo;
    typeText(*window, "abc");
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_EQ(memo->toPlainText(), "abc");
    const MainControls& c = window->controls();
    for (QPushButton* button : {c.openButton, c.saveAsButton, c.saveButton, c.playButton, c.linePlayButton, c.pauseButton, c.midiButton,
                                c.outputButton, c.presetsButton}) {
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->objectName().toStdString();
    }
    for (QPushButton* button : {c.openButton, c.saveAsButton, c.saveButton, c.playButton, c.linePlayButton, c.pauseButton})
        EXPECT_TRUE(button->toolTip().contains(QRegularExpression("\\((Ctrl|F)"))) << button->objectName().toStdString();
}

TEST_F(DesktopConventions, AtTheMinimumSizeNoCaptionIsClipped) {
    auto window = openWindow();
    window->resize(window->minimumSize());
    QApplication::processEvents();
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (!button->isVisible() || button->text().isEmpty()) continue;
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 8)
            << button->text().toStdString();
    }
    for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
        if (!box->isVisible()) continue;
        EXPECT_GE(box->width(), box->minimumSizeHint().width()) << box->text().toStdString();
    }
}

// The character position at the left edge of a combo's text field.
int firstShownPosition(QComboBox* combo) { return combo->lineEdit()->cursorPositionAt(QPoint(1, 5)); }

TEST_F(DesktopConventions, AtTheMinimumSizeLongInstrumentNamesShowTheirBeginning) {
    auto window = openWindow();
    window->resize(window->minimumSize());
    QApplication::processEvents();
    const MainControls& c = window->controls();
    QLineEdit* backingField = c.options.comboBox(OptionId::BackingInstrument)->lineEdit();
    int widest = 0;
    for (int item = 1; item < c.options.comboBox(OptionId::BackingInstrument)->count(); ++item) {
        if (backingField->fontMetrics().horizontalAdvance(
                c.options.comboBox(OptionId::BackingInstrument)->itemText(item)) >
            backingField->fontMetrics().horizontalAdvance(
                c.options.comboBox(OptionId::BackingInstrument)->itemText(widest)))
            widest = item;
    }
    c.options.checkBox(OptionId::TwoChannels)->click();
    for (QComboBox* combo :
         {c.options.comboBox(OptionId::BackingInstrument), c.options.comboBox(OptionId::SoloInstrument)}) {
        // As narrow as the window's minimum leaves it with the desktop's fonts.
        combo->setFixedWidth(backingField->fontMetrics().horizontalAdvance(
                                 c.options.comboBox(OptionId::BackingInstrument)->itemText(widest)) *
                             2 / 3);
        combo->setCurrentIndex(widest);  // chosen from the list
        QApplication::processEvents();
        ASSERT_GT(combo->fontMetrics().horizontalAdvance(combo->currentText()), combo->lineEdit()->width());
        EXPECT_EQ(firstShownPosition(combo), 0) << combo->currentText().toStdString();
    }
    c.presetButtons[1]->click();  // a preset sets the backing instrument
    window->commands().soloPreset(1)->trigger();
    EXPECT_EQ(firstShownPosition(c.options.comboBox(OptionId::BackingInstrument)), 0)
        << c.options.comboBox(OptionId::BackingInstrument)->currentText().toStdString();
    EXPECT_EQ(firstShownPosition(c.options.comboBox(OptionId::SoloInstrument)), 0)
        << c.options.comboBox(OptionId::SoloInstrument)->currentText().toStdString();

    c.options.comboBox(OptionId::BackingInstrument)->setCurrentIndex(widest);
    backingField->setFocus();
    backingField->end(false);
    QTest::keyClick(backingField, Qt::Key_Return);  // leaving the field after looking at the name's end
    EXPECT_EQ(firstShownPosition(c.options.comboBox(OptionId::BackingInstrument)), 0);
}

TEST_F(DesktopConventions, ALongNoticeShowsItIsCutAndNeverWidensTheWindow) {
    writeFile("app.txt", "text");
    writeFile("app.ini", "[main]\ntempo=fast\n");
    auto window = openWindow();
    window->resize(window->minimumSize());
    const int narrowest = window->minimumSizeHint().width();
    window->document().open(path("app.txt"));  // a notice about app.ini
    QApplication::processEvents();

    const auto* notice = dynamic_cast<ElidedLabel*>(window->controls().statusNotice);
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->text().contains("app.ini"));
    EXPECT_EQ(notice->toolTip(), notice->text());
    EXPECT_EQ(window->minimumSizeHint().width(), narrowest);
    const QString shown = notice->shownText();
    ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(notice->text().startsWith(shown.chopped(1)));
    EXPECT_LE(notice->fontMetrics().horizontalAdvance(shown), notice->contentsRect().width());

    window->resize(window->fontMetrics().horizontalAdvance(notice->text()) * 3, window->height());
    QApplication::processEvents();
    EXPECT_EQ(notice->shownText(), notice->text());  // whole where it fits
}

TEST_F(DesktopConventions, TheWindowSizeIsRememberedAndTheOpenDialogStartsInTheTextsFolder) {
    QDir(folder.path()).mkdir("texts");
    writeFile("texts/story.txt", "story");
    {
        auto window = openWindow();
        window->resize(window->minimumWidth() + 40, 520);
        window->document().open(path("texts/story.txt"));
        QTest::keySequence(window.get(), QKeySequence("Ctrl+O"));
        ASSERT_EQ(prompts->openDirectories.size(), 1u);
        EXPECT_EQ(prompts->openDirectories[0], QString::fromStdString(path("texts")));
        ASSERT_TRUE(window->close());
    }
    auto window = openWindow();
    EXPECT_EQ(window->height(), 520);
}

TEST_F(DesktopConventions, AnUnnamedTextExportsUnderAVisibleNameThatTheStatusBarNames) {
    auto window = openWindow();
    typeText(*window, "hello");
    prompts->saveAnswers.push_back("");
    action(*window, "exportMidi")->trigger();
    ASSERT_EQ(prompts->saveDialogs.size(), 1u);
    EXPECT_EQ(prompts->saveDialogs[0].fileName, "無題.mid");
    EXPECT_EQ(prompts->saveDialogs[0].directory, QDir::homePath());
    prompts->saveAnswers.push_back(QString::fromStdString(path("tune.mid")));
    action(*window, "exportMidi")->trigger();
    EXPECT_TRUE(window->controls().statusNotice->text().contains(QString::fromStdString(path("tune.mid"))));
}

TEST(WindowPlacement, AWindowOffTheScreenIsMovedWhollyOntoIt) {
    const QList<QRect> laptop{QRect(0, 0, 1280, 800)};
    EXPECT_EQ(placeOnScreen(QRect(1700, 900, 620, 430), laptop), QRect(660, 370, 620, 430));
    EXPECT_EQ(placeOnScreen(QRect(1277, 100, 620, 430), laptop), QRect(660, 100, 620, 430));
    EXPECT_EQ(placeOnScreen(QRect(100, -200, 620, 430), laptop), QRect(100, 0, 620, 430));
    EXPECT_EQ(placeOnScreen(QRect(900, 500, 2000, 900), laptop), QRect(0, 0, 1280, 800));
    EXPECT_EQ(placeOnScreen(QRect(300, 500, 620, 430), laptop), QRect(300, 370, 620, 430));  // bottom off
}

TEST(WindowPlacement, AWindowMostlyShownStaysAndTheBestScreenIsChosen) {
    const QList<QRect> two{QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)};
    EXPECT_EQ(placeOnScreen(QRect(300, 200, 620, 430), two), QRect(300, 200, 620, 430));
    EXPECT_EQ(placeOnScreen(QRect(900, 100, 620, 430), two), QRect(900, 100, 620, 430));
    EXPECT_EQ(placeOnScreen(QRect(2900, 900, 620, 430), two), QRect(2580, 650, 620, 430));
}


using Exports = WindowTest;

TEST_F(Exports, AFailedExportClosesItsProgressBeforeTheErrorInJapanese) {
    auto window = openWindow();
    // Long enough that the progress shows before the write fails.
    QString text;
    for (int line = 0; line < 4000; ++line) text += "the quick brown fox jumps over the lazy dog\n";
    typeText(*window, text);
    std::filesystem::create_directory(path("taken.mid"));
    prompts->saveAnswers.push_back(QString::fromStdString(path("taken.mid")));
    prompts->overwriteAnswer = OverwriteAnswer::Yes;
    window->findChild<QAction*>("exportMidi")->trigger();
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->progressShownAtError, 0);
    EXPECT_TRUE(prompts->informations.empty());

    typeText(*window, "");
    prompts->saveAnswers.push_back(QString::fromStdString(path("empty.mid")));
    window->findChild<QAction*>("exportMidi")->trigger();
    ASSERT_EQ(prompts->errors.size(), 2u);
    EXPECT_EQ(prompts->errors[1], "テキストが空なので書き出せません.");
}

TEST_F(Exports, TheSoundingCharacterIsBroughtBackIntoViewAfterTheUserScrolledAway) {
    auto window = openWindow();
    QString text;
    for (int line = 0; line < 200; ++line) text += QString("line %1\n").arg(line);
    typeText(*window, text);
    MemoEdit* memo = window->controls().memo;
    window->controls().playButton->click();
    window->transport().tick();
    window->transport().tick();
    memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum());  // the user looks at the end
    window->transport().tick();
    QTextCursor sounding(memo->document());
    sounding.setPosition(2);
    const QRect shown = memo->cursorRect(sounding);
    EXPECT_GE(shown.top(), 0);
    EXPECT_LE(shown.bottom(), memo->viewport()->height());
    EXPECT_EQ(memo->highlightedText(), "n");
}


TEST(OutputChoice, EnterKeepsATypedOutputAndANonSoundfontIsRefused) {
    QTemporaryDir folder;
    const QString notSoundfont = folder.filePath("notes.sf2");
    QFile text(notSoundfont);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just some text");
    text.close();

    OutputDialog dialog(OutputSettings{}, nullptr);
    dialog.show();
    auto* output = dialog.findChild<QComboBox*>("output");
    output->lineEdit()->selectAll();
    QTest::keyClicks(output->lineEdit(), "capture:/tmp/take.txt");
    dialog.findChild<QLineEdit*>("soundfont")->setText(notSoundfont);
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget(); box && box->inherits("QMessageBox"))
            qobject_cast<QDialog*>(box)->reject();
    });
    QTest::keyClick(output->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());  // refused: not a soundfont
    dialog.findChild<QLineEdit*>("soundfont")->clear();
    QTest::keyClick(output->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().output, "capture:/tmp/take.txt");
}

class SilentOutput : public WindowTest {};

TEST_F(SilentOutput, PlayWithoutSoundSaysSoOnceInAWholeMessage) {
    MainWindowSetup setup;
    setup.settingsFolder = folder.path();
    setup.output = std::make_unique<RefusingBackend>();
    auto scripted = std::make_unique<ScriptedPrompts>();
    ScriptedPrompts& said = *scripted;
    setup.prompts = std::move(scripted);
    MainWindow window(std::move(setup));
    typeText(window, "abc");
    for (int run = 0; run < 2; ++run) {
        window.controls().playButton->click();
        window.controls().playButton->click();
    }
    ASSERT_EQ(said.warnings.size(), 1u);
    EXPECT_EQ(said.warnings[0].find("--"), std::string::npos);
    EXPECT_TRUE(window.controls().statusNotice->toolTip().contains("no device here"));
}

TEST_F(SilentOutput, WithoutSoundTheRollStillDrawsThePerformance) {
    MainWindowSetup setup;
    setup.settingsFolder = folder.path();
    setup.output = std::make_unique<RefusingBackend>();
    setup.prompts = std::make_unique<ScriptedPrompts>();
    MainWindow window(std::move(setup));
    window.show();
    typeText(window, "crwdmnp");
    window.controls().playButton->click();
    for (int tick = 0; tick < 4; ++tick) window.transport().tick();
    const auto melodyNotes = [&] {
        std::size_t melody = 0;
        for (const RollNote& note : window.controls().roll->model().notes) melody += note.voice == RollVoice::Melody;
        return melody;
    };
    // A frame later, however slow the run; in a slow run the transport's own
    // timer may have ticked on as well.
    EXPECT_TRUE(QTest::qWaitFor([&] { return melodyNotes() >= 4; }, 5000));
    window.controls().playButton->click();
}


using NumberFields = WindowTest;

TEST_F(NumberFields, TypedTextCountsUntilTheFieldIsLeftAndThenIsClamped) {
    auto window = openWindow();
    window->activateWindow();
    QSpinBox* tempo = window->controls().options.spinEdit(OptionId::TickMs);
    tempo->setFocus();
    tempo->selectAll();
    QTest::keyClicks(tempo, "30");
    EXPECT_EQ(tempo->text(), "30");
    EXPECT_EQ(window->options().tickMs, 30);
    EXPECT_EQ(window->options().timerInterval(), 50);
    QTest::keyClick(tempo, Qt::Key_Return);  // leaving the field or Enter clamps
    EXPECT_EQ(tempo->value(), 80);
    EXPECT_EQ(window->options().tickMs, 80);
    tempo->setValue(1000);
    QTest::keyClick(tempo, Qt::Key_Up);
    EXPECT_EQ(tempo->value(), 1000);  // the arrows stay inside the range
}

}  // namespace
}  // namespace velmora::testing
