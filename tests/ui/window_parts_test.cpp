// The window's parts on their own, without any widget.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "documents/file_error.h"
#include "documents/ini_file.h"
#include "support/capture_backend.h"
#include "ui/export/background_task.h"
#include "ui/document/text_file.h"
#include "ui/performance/performance.h"
#include "ui/settings/settings_store.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

using TextFileTest = FolderTest;

TEST_F(TextFileTest, ReadsLinesAndKeepsTheEncodingForTheWrite) {
    writeFile("old.txt", "abc\r\n\x82\xa0z");  // CP932: "abc", "あz"
    TextFile document;
    EXPECT_EQ(document.read(path("old.txt")), QString::fromUtf8("abc\nあz\n"));
    EXPECT_EQ(document.encoding(), TextEncoding::Cp932);
    EXPECT_FALSE(document.write(path("copy.txt"), QString::fromUtf8("x\nあ")));
    EXPECT_EQ(readFile("copy.txt"), "x\r\n\x82\xa0");
}

TEST_F(TextFileTest, ATextCp932CannotHoldIsWrittenAsUtf8) {
    writeFile("old.txt", "abc");
    TextFile document;
    document.read(path("old.txt"));
    ASSERT_EQ(document.encoding(), TextEncoding::Cp932);
    EXPECT_TRUE(document.write(path("new.txt"), QString::fromUtf8("snow ☃")));
    EXPECT_EQ(readFile("new.txt"), "snow ☃");
    EXPECT_EQ(document.encoding(), TextEncoding::Utf8);
}

TEST_F(TextFileTest, AFailedReadOrWriteKeepsTheEncoding) {
    writeFile("utf.txt", "caf\xc3\xa9");
    TextFile document;
    document.read(path("utf.txt"));
    EXPECT_THROW(document.read(path("missing.txt")), FileError);
    std::filesystem::create_directory(path("folder.txt"));
    EXPECT_THROW(document.write(path("folder.txt"), "x"), FileError);
    EXPECT_EQ(document.encoding(), TextEncoding::Utf8);
}

TEST_F(TextFileTest, ATextCutAtANulOrWithUndecodableBytesSaysSo) {
    writeFile("binary.txt", std::string("head\0tail", 9));
    writeFile("broken.txt", "ok\r\n\x81\x7f\xa0");
    writeFile("fine.txt", "fine \x82\xa0");
    TextFile document;
    EXPECT_EQ(document.read(path("binary.txt")), "head\n");
    EXPECT_EQ(document.gap(), TextFile::Gap::CutAtNul);
    document.read(path("broken.txt"));
    EXPECT_EQ(document.gap(), TextFile::Gap::Undecodable);
    document.read(path("fine.txt"));
    EXPECT_EQ(document.gap(), TextFile::Gap::None);
}

TEST_F(TextFileTest, Utf16WithAByteOrderMarkIsReadAndWrittenBackAsUtf16) {
    const std::string little("\xff\xfe" "a\0\r\0\n\0B\x30", 10);  // "a", CR LF, "あ"
    writeFile("le.txt", little);
    writeFile("be.txt", std::string("\xfe\xff\0x\0\n", 6));
    TextFile document;
    EXPECT_EQ(document.read(path("le.txt")), QString::fromUtf8("a\nあ\n"));
    EXPECT_TRUE(document.isUtf16());
    EXPECT_EQ(document.gap(), TextFile::Gap::None);
    document.write(path("le.txt"), QString::fromUtf8("a\nあ\n"));
    EXPECT_EQ(readFile("le.txt"), little + std::string("\r\0\n\0", 4));
    EXPECT_EQ(document.read(path("be.txt")), "x\n");
    document.write(path("be.txt"), "y");
    EXPECT_EQ(readFile("be.txt"), std::string("\xfe\xff\0y", 4));
}

TEST_F(TextFileTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
    std::filesystem::create_directory(path("locked"));
    writeFile("locked/story.txt", "old");
    std::filesystem::permissions(path("locked"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    TextFile document;
    document.read(path("locked/story.txt"));
    EXPECT_NO_THROW(document.write(path("locked/story.txt"), "new text"));
    EXPECT_THROW(document.write(path("locked/other.txt"), "x"), FileError);  // no new file there
    std::filesystem::permissions(path("locked"), std::filesystem::perms::owner_all);
    EXPECT_EQ(readFile("locked/story.txt"), "new text");
    EXPECT_FALSE(std::filesystem::exists(path("locked/other.txt")));
}

using SettingsStoreTest = FolderTest;

TEST_F(SettingsStoreTest, TheGlobalFileIsMadeWithItsFolderAndHoldsTheOutput) {
    const SettingsStore store(path("config/velmora/velmora.ini"));
    EXPECT_FALSE(store.loadGlobal().has_value());
    GlobalSettings global;
    global.output = {"none", "/sf/gm.sf2"};
    PerformanceOptions options;
    options.tickMs = 450;
    store.storeGlobal(global, options);
    const std::optional<LoadedSettings> loaded = store.loadGlobal();
    ASSERT_TRUE(loaded && loaded->global);
    EXPECT_EQ(loaded->config.tickMs, 450);
    EXPECT_EQ(loaded->global->output, global.output);
    // One write holds both kinds of key.
    const IniFile ini = IniFile::parse(readFile("config/velmora/velmora.ini"));
    EXPECT_EQ(ini.get("midi", "output"), "none");
    EXPECT_EQ(ini.get("config", "tempo"), "450");
}

TEST_F(SettingsStoreTest, ATextsFileIsBesideItAndGlobalOnlyWhenItIsTheGlobalOne) {
    SettingsStore store(path("velmora.ini"));
    EXPECT_FALSE(store.loadForText(path("story.txt")).loaded.has_value());
    store.storeForText(path("story.txt"), GlobalSettings{}, PerformanceOptions{});
    const std::optional<LoadedSettings> own = store.loadForText(path("story.txt")).loaded;
    ASSERT_TRUE(own.has_value());
    EXPECT_FALSE(own->global.has_value());
    EXPECT_FALSE(IniFile::parse(readFile("story.ini")).hasSection("midi"));

    store.storeForText(path("velmora.txt"), GlobalSettings{}, PerformanceOptions{});
    const std::optional<LoadedSettings> global = store.loadForText(path("velmora.txt")).loaded;
    ASSERT_TRUE(global.has_value());
    EXPECT_TRUE(global->global.has_value());
    EXPECT_TRUE(IniFile::parse(readFile("velmora.ini")).hasSection("midi"));
}

TEST_F(SettingsStoreTest, AnotherProgramsFileIsNeitherReadNorWritten) {
    const std::string foreign = "[server]\ntempo=fast\nport=80\n";
    writeFile("app.ini", foreign);
    SettingsStore store(path("velmora.ini"));
    const SettingsStore::TextSettings settings = store.loadForText(path("app.txt"));
    EXPECT_TRUE(settings.foreign);
    EXPECT_FALSE(settings.loaded.has_value());
    store.storeForText(path("app.txt"), GlobalSettings{}, PerformanceOptions{});
    EXPECT_EQ(readFile("app.ini"), foreign);
    // Our keys beside another program's make the file another program's too;
    // our keys alone make it ours.
    writeFile("mixed.ini", "[config]\ntempo=450\n[server]\nport=80\n");
    EXPECT_TRUE(store.loadForText(path("mixed.txt")).foreign);
    writeFile("ours.ini", "[config]\ntempo=450\n");
    const SettingsStore::TextSettings ours = store.loadForText(path("ours.txt"));
    EXPECT_FALSE(ours.foreign);
    ASSERT_TRUE(ours.loaded.has_value());
    EXPECT_EQ(ours.loaded->config.tickMs, 450);
    store.storeForText(path("app.txt"), GlobalSettings{}, PerformanceOptions{});  // no longer the current text
    EXPECT_TRUE(IniFile::parse(readFile("app.ini")).get("config", "tempo").has_value());
}

// A host that only counts what the transport shows.
class CountingHost final : public TransportHost {
public:
    MemoSnapshot memoSnapshot() override {
        MemoSnapshot memo;
        memo.upperLines = {"ABC"};
        memo.lineStarts = {0};
        memo.visibleLines = 10;
        return memo;
    }
    void setMemoSelection(std::int32_t, std::int32_t) override {}
    void displayChanged(const TransportDisplay& shown) override { display = shown; }
    void showOverrunMessage(const std::string&) override {}
    void highlightCharacter(std::int32_t, std::int32_t) override {}
    void scrollDownOneLine() override {}
    void showElapsed(const std::string&) override {}

    TransportDisplay display;
};

TEST(PerformanceTest, TheButtonsDriveTheTransportOverTheGivenOutput) {
    CountingHost host;
    auto capture = std::make_unique<CaptureBackend>();
    CaptureBackend& output = *capture;
    Performance performance(host, std::move(capture), [](const std::string&) {});
    performance.playOrStop();
    EXPECT_TRUE(performance.performing());
    EXPECT_TRUE(output.isOpen);
    EXPECT_EQ(host.display.playCaption, "Stop");
    // The output is held while the performance runs.
    EXPECT_EQ(performance.chooseOutput({"none", ""}), std::nullopt);
    EXPECT_EQ(performance.output().settings(), OutputSettings{});
    performance.stop();
    EXPECT_FALSE(performance.performing());
    EXPECT_FALSE(output.isOpen);
    EXPECT_EQ(performance.chooseOutput({"none", ""}), std::nullopt);
    EXPECT_EQ(performance.output().settings().output, "none");
}

TEST(SoundOutputTest, AnOpenErrorIsReportedOnceUntilAnotherOutputIsChosen) {
    SoundOutput output(std::make_unique<RefusingBackend>());
    EXPECT_EQ(output.newOpenError(), std::nullopt);
    output.port().open();
    EXPECT_EQ(output.newOpenError(), "no device here");
    output.port().close();
    output.port().open();
    EXPECT_EQ(output.newOpenError(), std::nullopt);
}

TEST(SoundOutputTest, AnOutputThatCannotBeMadeKeepsTheOneInUse) {
    SoundOutput output;
    ASSERT_EQ(output.choose({"none", ""}), std::nullopt);
    EXPECT_NE(output.choose({"no-such-kind", ""}), std::nullopt);
    EXPECT_EQ(output.settings().output, "none");
}

TEST(BackgroundTaskTest, ReportsProgressAndFinishes) {
    BackgroundTask task([](const BackgroundTask::Progress& progress, const std::atomic<bool>&) { progress(0.25); });
    task.join();
    EXPECT_TRUE(task.finished());
    EXPECT_EQ(task.permille(), 250);
}

TEST(BackgroundTaskTest, CancelReachesTheWorkAndTheEndWaitsForIt) {
    std::atomic<bool> sawCancel{false};
    {
        BackgroundTask task([&](const BackgroundTask::Progress&, const std::atomic<bool>& cancel) {
            while (!cancel) std::this_thread::yield();
            sawCancel = true;
        });
        EXPECT_FALSE(task.finished());
    }  // the destructor cancels and joins
    EXPECT_TRUE(sawCancel);
}

}  // namespace
}  // namespace velmora::testing
