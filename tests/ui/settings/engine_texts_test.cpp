#include <gtest/gtest.h>

#include <QCoreApplication>
#include <stdexcept>

#include "documents/file_error.h"
#include "language/qt/translations.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/soundfont_locator.h"
#endif
#include "ui/settings/engine_texts.h"

namespace velmora {
namespace {

#ifdef VELMORA_HAVE_SOUND
// The reasons the sound code gives carry advice for the command line; the
// window's messages keep the reason and drop the advice.
TEST(TechnicalDetailTest, DropsCommandLineAdviceAndKeepsTheReason) {
    const QString missing = technicalDetail(missingSoundfontMessage());
    EXPECT_TRUE(missing.startsWith("no General MIDI soundfont found"));
    EXPECT_FALSE(missing.contains("--"));
    EXPECT_FALSE(missing.contains("apt install"));

    const QString absent = technicalDetail(soundfontFileProblem("/nowhere/x.sf2"));
    EXPECT_EQ(absent, "soundfont /nowhere/x.sf2 does not exist");

    EXPECT_EQ(technicalDetail(
                  "the output capture:/x cannot be written; choose another file with --output capture:FILE"),
              "the output capture:/x cannot be written");
    EXPECT_EQ(technicalDetail("disk full"), "disk full");
}
#endif

TEST(TechnicalDetailTest, ALeadSentenceComesFirstAndStandsAloneWithoutDetail) {
    EXPECT_EQ(withDetail("書き出せませんでした。", "disk full"), "書き出せませんでした。\n\ndisk full");
    EXPECT_EQ(withDetail("書き出せませんでした。", "use --output"), "書き出せませんでした。");
    EXPECT_EQ(withDetail("書き出せませんでした。", "No space left on device."),
              "書き出せませんでした。\n\nNo space left on device");
}

TEST(EngineTextTest, TranslatesKnownTextsOnlyAndKeepsJapaneseAsItIs) {
    EXPECT_EQ(engineText("演奏中"), "演奏中");
    ASSERT_TRUE(installTranslations(*QCoreApplication::instance(), Language::English));
    EXPECT_EQ(engineText("演奏中"), "Playing");
    EXPECT_EQ(engineText("ブルース風"), "Blues-like");
    EXPECT_EQ(engineText("C#4"), "C#4");  // note names are music, not words
    installTranslations(*QCoreApplication::instance(), Language::Japanese);
    EXPECT_EQ(engineText("ブルース風"), "ブルース風");
}

TEST(OutputWarningTextTest, InEnglishTheWindowSaysWhatTheCommandLineSays) {
    using Kind = OutputWarning::Kind;
    ASSERT_TRUE(installTranslations(*QCoreApplication::instance(), Language::English));
    for (const OutputWarning& warning :
         {OutputWarning{Kind::StalledAudio, "PulseAudio", {}},
          OutputWarning{Kind::PortSendFailed, "Synth:in 128:0", "ring full"},
          OutputWarning{Kind::PortGone, "Synth:in 128:0", {}},
          OutputWarning{Kind::CaptureNotWritten, "/x/take.txt", "No space left"}}) {
        QString cli = QString::fromStdString(warning.what());
        cli[0] = cli[0].toUpper();
        EXPECT_EQ(outputWarningText(warning), cli);
        EXPECT_EQ(warning.text().rfind(warning.what(), 0), 0u) << "the command line adds only its advice";
    }
    installTranslations(*QCoreApplication::instance(), Language::Japanese);
}

TEST(FileErrorTextTest, NamesTheFileInTheWindowsLanguage) {
    const FileError opening = FileError::opening("/x/a.txt", "denied");
    EXPECT_EQ(fileErrorText(opening), "ファイル /x/a.txt は開けません");
    ASSERT_TRUE(installTranslations(*QCoreApplication::instance(), Language::English));
    EXPECT_EQ(fileErrorText(opening), "Cannot open the file /x/a.txt");
    EXPECT_EQ(fileErrorText(FileError::writing("/x/a.ini", "")), "Cannot write to /x/a.ini");
    EXPECT_EQ(fileErrorText(std::runtime_error("other")), "other");
    installTranslations(*QCoreApplication::instance(), Language::Japanese);
}

}  // namespace
}  // namespace velmora
