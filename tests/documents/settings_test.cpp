#include "documents/settings.h"

#include <gtest/gtest.h>

#include "documents/file_error.h"
#include "documents/settings_keys.h"
#include "temp_folder.h"

namespace velmora {
namespace {

LoadedSettings readConfig(const std::string& configLines, bool isGlobal = false) {
    return readSettings(IniFile::parse("[config]\n" + configLines), isGlobal);
}

TEST(SettingsReadTest, OnlyPaternGivesReadDefaultsForEverythingElse) {
    PerformanceOptions options = readConfig("patern=5\n").config;
    EXPECT_EQ(options.scalePattern, 5);
    EXPECT_EQ(options.tickMs, 300);
    EXPECT_EQ(options.backingRange.high.note, 60);
    EXPECT_EQ(options.backingRange.low.note, 36);
    EXPECT_EQ(options.soloRange.high.note, 60);
    EXPECT_EQ(options.soloRange.low.note, 36);
    EXPECT_TRUE(options.octaveDown);
    EXPECT_TRUE(options.skipRestsOnBeats);
    EXPECT_TRUE(options.tonicOnE);
    EXPECT_TRUE(options.chordsAtWordStarts);
    EXPECT_TRUE(options.thickChords);
    EXPECT_FALSE(options.twoChannels);
    EXPECT_EQ(options.backingInstrument, 0);
    EXPECT_EQ(options.soloInstrument, 0);
    EXPECT_EQ(options.melodyVelocity, 127);
    EXPECT_EQ(options.chordVelocity, 110);
    EXPECT_EQ(options.rhythmItem, 3);
    EXPECT_EQ(options.rhythmCorrection, 0);
}

TEST(SettingsReadTest, ValuesAreLimitedTheWayTheirControlsLimitThem) {
    EXPECT_EQ(readConfig("patern=40\n").config.scalePattern, 11);
    EXPECT_EQ(readConfig("patern=-5\n").config.scalePattern, -1);
    EXPECT_EQ(readConfig("patern=-1\n").config.scalePattern, -1);
    EXPECT_EQ(readConfig("inst=200\n").config.backingInstrument, -1);
    EXPECT_EQ(readConfig("solo=-3\n").config.soloInstrument, -1);
    EXPECT_EQ(readConfig("inst=111\n").config.backingInstrument, 111);
    EXPECT_EQ(readConfig("ryzm=8\n").config.rhythmItem, -1);
    EXPECT_EQ(readConfig("ryzm=7\n").config.rhythmItem, 7);
    EXPECT_EQ(readConfig("tempo=20\n").config.tickMs, 80);
    EXPECT_EQ(readConfig("tempo=5000\n").config.tickMs, 1000);
    EXPECT_EQ(readConfig("vol=0\n").config.melodyVelocity, 30);
    EXPECT_EQ(readConfig("keychg=-20\n").config.keyShift, -8);
    EXPECT_EQ(readConfig("hosei=9\n").config.rhythmCorrection, 3);
    EXPECT_EQ(readConfig("reverbsolo=300\n").config.melodyReverb, 127);
}

TEST(SettingsReadTest, ValueTextsReadAsInTheFileFormat) {
    EXPECT_EQ(readConfig("hinum=0x5A\n").config.backingRange.high.note, 90);
    EXPECT_EQ(readConfig("hinum=0x\n").config.backingRange.high.note, 60);
    EXPECT_TRUE(readConfig("waon=2\n").config.chordsAtWordStarts);
    EXPECT_TRUE(readConfig("waon=yes\n").config.chordsAtWordStarts);
    EXPECT_FALSE(readConfig("waon=0\n").config.chordsAtWordStarts);
    EXPECT_FALSE(readConfig("jump=0\n").config.skipRestsOnBeats);
    EXPECT_EQ(readConfig("TEMPO = 450\n").config.tickMs, 450);
    EXPECT_EQ(readConfig("tempo=12x\n").config.tickMs, 300);
}

TEST(SettingsReadTest, GlobalRowsAreReadOnlyFromTheGlobalFile) {
    const std::string text = "[form]\nleft=10\ntop=20\n[config]\nrepeat=1\n[file]\nlatest=/tmp/story.txt\n";
    EXPECT_FALSE(readSettings(IniFile::parse(text), false).global.has_value());

    LoadedSettings global = readSettings(IniFile::parse(text), true);
    ASSERT_TRUE(global.global.has_value());
    EXPECT_EQ(global.global->left, 10);
    EXPECT_EQ(global.global->top, 20);
    EXPECT_TRUE(global.config.repeatAtEnd);
    EXPECT_EQ(global.global->latest, "/tmp/story.txt");

    LoadedSettings empty = readSettings(IniFile(), true);
    EXPECT_EQ(empty.global->left, 300);
    EXPECT_EQ(empty.global->top, 250);
    EXPECT_FALSE(empty.config.repeatAtEnd);
    EXPECT_EQ(empty.global->latest, "");
}

TEST(SettingsReadTest, LatestIsCutAt2047Characters) {
    std::string path = "/" + std::string(3000, 'a');
    LoadedSettings loaded = readSettings(IniFile::parse("[file]\nlatest=" + path + "\n"), true);
    EXPECT_EQ(loaded.global->latest, path.substr(0, 2047));
}

TEST(SettingsReadTest, PresetsUseTheirOwnDefaultsAndListLimits) {
    PresetSelections presets = readPresetSelections(IniFile::parse("[form]\npre2=5\ncom6=112\n"));
    EXPECT_EQ(presets.solo[0], 74);
    EXPECT_EQ(presets.solo[1], 5);
    EXPECT_EQ(presets.solo[2], 46);
    EXPECT_EQ(presets.solo[5], 45);
    EXPECT_EQ(presets.backing[0], 0);
    EXPECT_EQ(presets.backing[5], -1);
}

TEST(SettingsApplyTest, ApplyConfigRowsTakesRepeatOnlyWithGlobalRows) {
    PerformanceOptions options;
    options.repeatAtEnd = true;
    applyConfigRows(readConfig("tempo=500\nrepeat=0\n"), options);
    EXPECT_EQ(options.tickMs, 500);
    EXPECT_TRUE(options.repeatAtEnd);

    applyConfigRows(readConfig("repeat=0\n", true), options);
    EXPECT_FALSE(options.repeatAtEnd);
    EXPECT_EQ(options.tickMs, 300);
}

TEST(SettingsApplyTest, ApplyConfigKeyReadsLikeTheFile) {
    PerformanceOptions options;
    EXPECT_EQ(applyConfigKey("Tempo", "0x1F4", options), std::nullopt);
    EXPECT_EQ(options.tickMs, 500);
    EXPECT_EQ(applyConfigKey("tempo", " 0x12C ", options), std::nullopt);
    EXPECT_EQ(options.tickMs, 300);
    EXPECT_EQ(applyConfigKey("2CH", "1", options), std::nullopt);
    EXPECT_TRUE(options.twoChannels);
    EXPECT_EQ(applyConfigKey("repeat", "1", options), std::nullopt);
    EXPECT_TRUE(options.repeatAtEnd);
    EXPECT_EQ(applyConfigKey("patern", "99", options), std::nullopt);
    EXPECT_EQ(options.scalePattern, 11);

    PerformanceOptions before = options;
    EXPECT_NE(applyConfigKey("left", "5", options), std::nullopt);
    EXPECT_NE(applyConfigKey("volume", "5", options), std::nullopt);
    EXPECT_EQ(options.tickMs, before.tickMs);
    EXPECT_EQ(options.scalePattern, before.scalePattern);
}

// A value the settings file would read as invalid (and so replace by the
// row's default) is refused on the command line, naming the key and the form.
TEST(SettingsApplyTest, ApplyConfigKeyRefusesValuesTheFileWouldNotRead) {
    PerformanceOptions options;
    ASSERT_EQ(applyConfigKey("tempo", "400", options), std::nullopt);
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"tempo", ""}, {"tempo", "5e2"}, {"tempo", "fast"}, {"Tempo", "+3"}, {"2ch", "yes"}, {"repeat", "0x"}}) {
        const auto error = applyConfigKey(key, value, options);
        ASSERT_TRUE(error) << key << "=" << value;
        EXPECT_NE(error->find("\"" + value + "\""), std::string::npos) << *error;
        EXPECT_NE(error->find(" takes "), std::string::npos) << *error;
    }
    EXPECT_EQ(options.tickMs, 400);
    EXPECT_NE(applyConfigKey("2ch", "yes", options)->find("0 (off) or 1 (on)"), std::string::npos);
}

TEST(SettingsKeysTest, TableIsInRowOrderWithUniqueKeys) {
    auto keys = settingKeys();
    ASSERT_EQ(keys.size(), kSettingKeyCount);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].row, static_cast<int>(i) + 1);
        EXPECT_EQ(keys[i].globalOnly, keys[i].row <= 16 || keys[i].row >= 44) << keys[i].key;
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(keys[i].key, keys[j].key);
    }
    // Every performance option is stored by exactly one row.
    for (const SettingKey& key : keys) {
        const bool storesOption = key.option != nullptr;
        EXPECT_EQ(storesOption, key.row == 15 || (key.row >= 17 && key.row <= 43)) << key.key;
    }
}

class SettingsFileTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(SettingsFileTest, SavedSettingsReadBackAsTheyWere) {
    const std::string path = folder.file("velmora.ini");
    GlobalSettings global;
    global.left = 40;
    global.top = -12;
    global.presets.solo[2] = 7;
    global.presets.backing[4] = 99;
    global.latest = "/home/me/story.txt";
    global.output = {"port:Synth", "/home/me/piano.sf2", "jack", "safe"};
    global.recent = {"/home/me/story.txt", "/home/me/poem.txt"};
    global.width = 800;
    global.height = 480;
    PerformanceOptions options;
    options.scalePattern = 7;
    options.tickMs = 640;
    options.keyShift = -3;
    options.octaveDown = false;
    options.skipRestsOnBeats = false;
    options.twoChannels = true;
    options.repeatAtEnd = true;
    options.melodyReverb = 40;
    saveSettings(path, true, global, options);

    LoadedSettings loaded = loadSettingsFile(path, true);
    PerformanceOptions restored;
    applyConfigRows(loaded, restored);
    EXPECT_EQ(restored.scalePattern, 7);
    EXPECT_EQ(restored.tickMs, 640);
    EXPECT_EQ(restored.keyShift, -3);
    EXPECT_FALSE(restored.octaveDown);
    EXPECT_FALSE(restored.skipRestsOnBeats);
    EXPECT_TRUE(restored.twoChannels);
    EXPECT_TRUE(restored.repeatAtEnd);
    EXPECT_EQ(restored.melodyReverb, 40);
    EXPECT_EQ(restored.soloInstrument, 74);
    EXPECT_EQ(loaded.global->left, 40);
    EXPECT_EQ(loaded.global->top, -12);
    EXPECT_EQ(loaded.global->latest, "/home/me/story.txt");
    EXPECT_EQ(loaded.global->output, (OutputSettings{"port:Synth", "/home/me/piano.sf2", "jack", "safe"}));
    EXPECT_EQ(loaded.global->recent, global.recent);
    EXPECT_EQ(loaded.global->width, 800);
    EXPECT_EQ(loaded.global->height, 480);
    PresetSelections presets = readPresetSelections(IniFile::parse(readBytes(path)));
    EXPECT_EQ(presets.solo[2], 7);
    EXPECT_EQ(presets.backing[4], 99);
}

TEST_F(SettingsFileTest, GlobalFileWritesKeysInTableOrder) {
    const std::string path = folder.file("velmora.ini");
    saveSettings(path, true, GlobalSettings{}, PerformanceOptions{});
    const std::string text = readBytes(path);
    EXPECT_EQ(text.rfind("[form]\r\nleft=321\r\ntop=163\r\npre1=74\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("[config]\r\nrepeat=0\r\ninst=0\r\nsolo=74\r\nvol=127\r\n"), std::string::npos);
    EXPECT_NE(text.find("jump=1\r\noctdown=0\r\nhosei=0\r\n[file]\r\nlatest=\r\n"), std::string::npos);
    auto keys = settingKeys();
    std::size_t previous = 0;
    for (const SettingKey& key : keys) {
        std::size_t at = text.find(std::string("\n").append(key.key).append("="));
        ASSERT_NE(at, std::string::npos) << key.key;
        if (key.section == "config") {
            EXPECT_GT(at, previous) << key.key;
            previous = at;
        }
    }
}

TEST_F(SettingsFileTest, AnEmptyOutputNameReadsAsTheBuiltInSynthesizer) {
    const std::string path = folder.file("velmora.ini");
    writeBytes(path, "[midi]\r\noutput=\r\nsoundfont=/x.sf2\r\n");
    const LoadedSettings loaded = loadSettingsFile(path, true);
    EXPECT_EQ(loaded.global->output, (OutputSettings{"fluidsynth", "/x.sf2"}));
    writeBytes(path, "[config]\r\ntempo=400\r\n");
    EXPECT_EQ(loadSettingsFile(path, true).global->output, OutputSettings{});
}

TEST_F(SettingsFileTest, TextFileHoldsOnlyThePerformanceRows) {
    const std::string path = folder.file("story.ini");
    saveSettings(path, false, GlobalSettings{}, PerformanceOptions{});
    IniFile ini = IniFile::parse(readBytes(path));
    EXPECT_FALSE(ini.hasSection("form"));
    EXPECT_FALSE(ini.hasSection("file"));
    EXPECT_FALSE(ini.hasSection("midi"));
    EXPECT_EQ(ini.get("config", "repeat"), std::nullopt);
    EXPECT_EQ(ini.get("config", "hosei"), "0");
    EXPECT_EQ(ini.get("config", "tempo"), "200");
}

TEST_F(SettingsFileTest, SavingKeepsWhatTheFileHoldsBesides) {
    const std::string path = folder.file("story.ini");
    writeBytes(path, "; my notes\n[Config]\nTEMPO = 999\nmine=keep\n\n[extra]\na=b\n");
    PerformanceOptions options;
    options.tickMs = 250;
    saveSettings(path, false, GlobalSettings{}, options);
    const std::string text = readBytes(path);
    EXPECT_EQ(text.rfind("; my notes\n[Config]\nTEMPO = 250\nmine=keep\ninst=0\n", 0), 0u) << text;
    EXPECT_NE(text.find("hosei=0\n\n[extra]\na=b\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, UnwritableFileReportsTheIniPathAndKeepsTheOldFile) {
    const std::string path = folder.file("blocked.ini");
    std::filesystem::create_directory(path);
    try {
        saveSettings(path, false, GlobalSettings{}, PerformanceOptions{});
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), path + " に書き込めません");
    }
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(entryCount(folder.path()), 1);

    EXPECT_THROW(saveSettings(folder.file("missing/x.ini"), true, GlobalSettings{}, PerformanceOptions{}),
                 FileError);
}

}  // namespace
}  // namespace velmora
