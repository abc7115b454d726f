// The window's audio export: the save dialog's filter picks the sound-file format.
#ifdef VELMORA_HAVE_SOUND
#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "sound/audio_file_format.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

using AudioExport = WindowTest;

QString filterOf(AudioFileFormat format) { return QString::fromUtf8(audioFileFormatInfo(format).dialogFilter); }

TEST_F(AudioExport, TheFlacFilterWritesAFlacFileTitledWithTheTextsName) {
    writeFile("river song.txt", "abc def\r\n");
    auto window = openWindow();
    window->document().open(path("river song.txt"));
    prompts->filterAnswer = filterOf(AudioFileFormat::Flac);
    prompts->saveAnswers.push_back(QString::fromStdString(path("river")));  // no extension typed
    window->controls().wavButton->click();

    ASSERT_EQ(prompts->saveDialogs.size(), 1u);
    const SaveDialogState& dialog = prompts->saveDialogs[0];
    EXPECT_EQ(dialog.filters.size(), static_cast<qsizetype>(audioFileFormats().size()));
    EXPECT_TRUE(dialog.filters.contains(filterOf(AudioFileFormat::Mp3)));
    EXPECT_TRUE(dialog.filters.contains(filterOf(AudioFileFormat::OggVorbis)));
    EXPECT_TRUE(prompts->errors.empty()) << prompts->errors.front();
    const std::string written = readFile("river.flac");
    EXPECT_EQ(written.substr(0, 4), "fLaC");
    EXPECT_NE(written.find("river song"), std::string::npos);  // the title tag
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("river.wav"))));
}

TEST_F(AudioExport, TheChosenFilterIsOfferedAgainAndATypedExtensionKeepsItsFormat) {
    auto window = openWindow();
    typeText(*window, "abc");
    prompts->filterAnswer = filterOf(AudioFileFormat::Flac);
    prompts->saveAnswers.push_back(QString::fromStdString(path("first")));
    window->findChild<QAction*>("exportWav")->trigger();
    prompts->filterAnswer.reset();
    prompts->saveAnswers.push_back(QString::fromStdString(path("second.wav")));
    window->findChild<QAction*>("exportWav")->trigger();

    ASSERT_EQ(prompts->saveDialogs.size(), 2u);
    EXPECT_EQ(prompts->saveDialogs[0].fileName, "無題.wav");  // WAV is offered first
    EXPECT_EQ(prompts->saveDialogs[1].selectedFilter, filterOf(AudioFileFormat::Flac));
    EXPECT_EQ(prompts->saveDialogs[1].fileName, "無題.flac");
    EXPECT_EQ(readFile("first.flac").substr(0, 4), "fLaC");
    EXPECT_EQ(readFile("second.wav").substr(0, 4), "RIFF");
}

TEST_F(AudioExport, MusicTooLongForWavIsRefusedInTheWindowsLanguageAndLeavesNothing) {
    auto window = openWindow();
    window->controls().options.spinEdit(OptionId::TickMs)->setValue(1000);  // a second a character: hours of
                                                                            // music
    QString text;
    for (int line = 0; line < 1000; ++line) text += "the quick brown fox jumps over the lazy dog\n";
    typeText(*window, text);
    QDir(folder.path()).mkdir("out");
    prompts->saveAnswers.push_back(QString::fromStdString(path("out/long.wav")));
    window->findChild<QAction*>("exportWav")->trigger();

    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0],
              "曲が長すぎて WAV ファイルにできません。ファイルの種類で FLAC、Ogg Vorbis か MP3 を選んでください.");
    EXPECT_EQ(prompts->progressShownAtError, 0);
    EXPECT_TRUE(QDir(QString::fromStdString(path("out"))).isEmpty());
}

TEST_F(AudioExport, AFullDeviceEndsTheProgressBeforeOneWholeErrorAndIsLeftADevice) {
    const std::string full = path("full.wav");
    if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) GTEST_SKIP() << "no device nodes here";
    auto window = openWindow();
    QString text;
    for (int line = 0; line < 100; ++line) text += "the quick brown fox jumps over the lazy dog\n";
    typeText(*window, text);
    prompts->saveAnswers.push_back(QString::fromStdString(full));
    window->controls().wavButton->click();

    ASSERT_EQ(prompts->errors.size(), 1u);
    const std::string& error = prompts->errors[0];
    EXPECT_EQ(error.rfind("書き出せませんでした。", 0), 0u) << error;
    EXPECT_NE(error.find(full + " に書き込めません"), std::string::npos) << error;  // the file, in the window's words
    EXPECT_NE(error.substr(error.size() - 2), "..") << error;
    EXPECT_EQ(error.find(".)"), std::string::npos) << error;  // one full stop, the box's
    EXPECT_EQ(prompts->progressShownAtError, 0);
    EXPECT_TRUE(prompts->informations.empty());
    struct stat node {};
    ASSERT_EQ(::stat(full.c_str(), &node), 0);
    EXPECT_TRUE(S_ISCHR(node.st_mode));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 1);
}

}  // namespace
}  // namespace velmora::testing
#endif
