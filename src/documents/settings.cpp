#include "documents/settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "documents/atomic_file.h"
#include "documents/file_error.h"
#include "documents/file_read.h"
#include "documents/ini_value.h"
#include "documents/settings_keys.h"

namespace velmora {
namespace {

constexpr int kLeftRow = 1;
constexpr int kTopRow = 2;
constexpr int kFirstSoloPresetRow = 3;
constexpr int kFirstBackingPresetRow = 9;
constexpr int kLatestRow = 16;
constexpr int kOutputRow = 44;
constexpr int kSoundfontRow = 45;
constexpr int kFirstRecentRow = 46;
constexpr int kLastRecentRow = 53;
constexpr int kWidthRow = 54;
constexpr int kHeightRow = 55;
constexpr int kAudioDriverRow = 56;
constexpr int kAudioBufferRow = 57;
constexpr std::size_t kMaxStringValue = 2047;

// A value as the row's control takes it: the read default for a missing or
// invalid value, then the control's limit.
int controlValue(const SettingKey& key, const std::optional<std::string_view>& text) {
    return limitSettingValue(key, readIniInteger(text, key.readDefault));
}

int readRow(const IniFile& ini, int row) {
    const SettingKey& key = settingKeyAtRow(row);
    return controlValue(key, ini.get(key.section, key.key));
}

std::string readStringRow(const IniFile& ini, int row) {
    const SettingKey& key = settingKeyAtRow(row);
    return std::string(ini.get(key.section, key.key).value_or("").substr(0, kMaxStringValue));
}

// Whether a load of this kind of file reads (and applies) the option row.
bool loadsOption(const SettingKey& key, bool isGlobal) {
    return key.option != nullptr && (isGlobal || !key.globalOnly);
}

LoadedGlobalRows readGlobalRows(const IniFile& ini) {
    LoadedGlobalRows rows;
    rows.left = readRow(ini, kLeftRow);
    rows.top = readRow(ini, kTopRow);
    rows.width = readRow(ini, kWidthRow);
    rows.height = readRow(ini, kHeightRow);
    rows.latest = readStringRow(ini, kLatestRow);
    if (std::string output = readStringRow(ini, kOutputRow); !output.empty()) rows.output.output = output;
    rows.output.soundfont = readStringRow(ini, kSoundfontRow);
    if (std::string driver = readStringRow(ini, kAudioDriverRow); !driver.empty())
        rows.output.audioDriver = driver;
    if (std::string buffer = readStringRow(ini, kAudioBufferRow); !buffer.empty())
        rows.output.audioBuffer = buffer;
    for (std::size_t i = 0; i < kRecentDocumentCount; ++i) {
        std::string path = readStringRow(ini, kFirstRecentRow + static_cast<int>(i));
        if (!path.empty()) rows.recent.push_back(std::move(path));
    }
    return rows;
}

// The text stored for a row: what the control holds at the moment of writing.
std::string storedValue(const SettingKey& key, const GlobalSettings& global,
                        const PerformanceOptions& options) {
    switch (key.row) {
        case kLeftRow:
            return std::to_string(global.left);
        case kTopRow:
            return std::to_string(global.top);
        case kLatestRow:
            return global.latest;
        case kWidthRow:
            return std::to_string(global.width);
        case kHeightRow:
            return std::to_string(global.height);
        case kOutputRow:
            return global.output.output;
        case kSoundfontRow:
            return global.output.soundfont;
        case kAudioDriverRow:
            return global.output.audioDriver;
        case kAudioBufferRow:
            return global.output.audioBuffer;
        default:
            break;
    }
    if (key.row >= kFirstRecentRow && key.row <= kLastRecentRow) {
        const auto index = static_cast<std::size_t>(key.row - kFirstRecentRow);
        return index < global.recent.size() ? global.recent[index] : std::string();
    }
    if (key.row >= kFirstBackingPresetRow && key.row < kFirstBackingPresetRow + 6) {
        return std::to_string(
            global.presets.backing[static_cast<std::size_t>(key.row - kFirstBackingPresetRow)]);
    }
    if (key.row >= kFirstSoloPresetRow && key.row < kFirstSoloPresetRow + 6) {
        return std::to_string(global.presets.solo[static_cast<std::size_t>(key.row - kFirstSoloPresetRow)]);
    }
    return std::to_string(key.option->get(options));
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 || errno != ENOENT;
}

}  // namespace

LoadedSettings readSettings(const IniFile& ini, bool isGlobal) {
    LoadedSettings loaded;
    if (isGlobal) loaded.global = readGlobalRows(ini);
    for (const SettingKey& key : settingKeys()) {
        if (loadsOption(key, isGlobal))
            key.option->set(loaded.config, controlValue(key, ini.get(key.section, key.key)));
    }
    return loaded;
}

LoadedSettings loadSettingsFile(const std::string& path, bool isGlobal) {
    const std::string bytes = readFileBytes(path);
    LoadedSettings loaded = readSettings(IniFile::parse(bytes), isGlobal);
    loaded.encodingWarning = IniFile::encodingProblem(bytes);
    return loaded;
}

PresetSelections readPresetSelections(const IniFile& ini) {
    PresetSelections presets;
    for (std::size_t i = 0; i < presets.solo.size(); ++i) {
        presets.solo[i] = readRow(ini, kFirstSoloPresetRow + static_cast<int>(i));
        presets.backing[i] = readRow(ini, kFirstBackingPresetRow + static_cast<int>(i));
    }
    return presets;
}

void applyConfigRows(const LoadedSettings& loaded, PerformanceOptions& options) {
    for (const SettingKey& key : settingKeys()) {
        if (loadsOption(key, loaded.global.has_value()))
            key.option->set(options, key.option->get(loaded.config));
    }
}

std::optional<std::string> applyConfigKey(std::string_view key, std::string_view value,
                                          PerformanceOptions& options) {
    const SettingKey* entry = findOptionKey(trimIniBlanks(key));
    if (!entry) return "unknown settings key: " + std::string(key);
    if (entry->type != SettingType::String && !parseIniInteger(value)) {
        const std::string name(entry->key);
        const std::string form = entry->type == SettingType::Boolean
                                     ? "0 (off) or 1 (on)"
                                     : "a whole number (decimal digits with an optional minus sign, or 0x and hex digits)";
        return "invalid value \"" + std::string(value) + "\" for " + name + ": " + name + " takes " + form;
    }
    entry->option->set(options, controlValue(*entry, value));
    return std::nullopt;
}

void storeSettings(IniFile& ini, bool isGlobal, const GlobalSettings& global,
                   const PerformanceOptions& options) {
    for (const SettingKey& key : settingKeys()) {
        if (key.globalOnly && !isGlobal) continue;
        ini.set(key.section, key.key, storedValue(key, global, options));
    }
}

void saveSettings(const std::string& path, bool isGlobal, const GlobalSettings& global,
                  const PerformanceOptions& options) {
    try {
        // A file that exists but cannot be read is not replaced: its other
        // contents would be lost.
        IniFile ini = fileExists(path) ? IniFile::parse(readFileBytes(path)) : IniFile();
        storeSettings(ini, isGlobal, global, options);
        writeFileAtomically(path, ini.serialize());
    } catch (const FileError& error) {
        throw FileError::writing(path, error.detail());
    }
}

}  // namespace velmora
