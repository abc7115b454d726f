#include "ui/settings/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>

#include "documents/document_paths.h"
#include "documents/file_read.h"
#include "documents/ini_file.h"
#include "documents/settings_keys.h"

namespace velmora {

namespace {

bool isFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Whether the file holds at least one key of a performance control in [config].
bool holdsPerformanceKeys(const IniFile& ini) {
    for (const SettingKey& key : settingKeys()) {
        if (key.option != nullptr && ini.get(key.section, key.key)) return true;
    }
    return false;
}

bool isOurName(const IniFile::Entry& entry) {
    if (entry.other) return false;
    for (const SettingKey& key : settingKeys()) {
        if (equalsIgnoringAsciiCase(key.section, entry.section) &&
            (entry.key.empty() || equalsIgnoringAsciiCase(key.key, entry.key)))
            return true;
    }
    return false;
}

// A text's settings file is ours only when everything in it is something this
// program writes; another program's file that happens to share a key name is
// neither applied nor rewritten.
bool isOurSettingsFile(const IniFile& ini) {
    if (!holdsPerformanceKeys(ini)) return false;
    const std::vector<IniFile::Entry> entries = ini.entries();
    return std::all_of(entries.begin(), entries.end(), isOurName);
}

}  // namespace

std::optional<LoadedSettings> SettingsStore::loadGlobal() const {
    if (!isFile(globalPath_)) return std::nullopt;
    return loadSettingsFile(globalPath_, true);
}

SettingsStore::TextSettings SettingsStore::loadForText(const std::string& textPath) {
    const std::string path = textSettingsPath(textPath);
    foreignFile_.clear();
    if (path.empty() || !exists(path)) return {};
    if (isGlobal(path)) return {loadSettingsFile(path, true), false};
    const IniFile ini = IniFile::parse(readFileBytes(path));
    if (!isOurSettingsFile(ini)) {
        foreignFile_ = path;
        return {std::nullopt, true};
    }
    return {readSettings(ini, false), false};
}

void SettingsStore::setRecent(std::vector<std::string> paths) {
    recent_.clear();
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) noteOpened(*it);
}

void SettingsStore::noteOpened(const std::string& path) {
    if (path.empty()) return;
    std::erase(recent_, path);
    recent_.insert(recent_.begin(), path);
    if (recent_.size() > kRecentDocumentCount) recent_.resize(kRecentDocumentCount);
}

void SettingsStore::storeForText(const std::string& textPath, const GlobalSettings& global,
                                 const PerformanceOptions& options) const {
    const std::string path = textSettingsPath(textPath);
    if (path.empty() || path == foreignFile_) return;
    store(path, global, options);
}

void SettingsStore::storeGlobal(const GlobalSettings& global, const PerformanceOptions& options) const {
    store(globalPath_, global, options);
}

void SettingsStore::store(const std::string& path, const GlobalSettings& global,
                          const PerformanceOptions& options) const {
    const bool globalFile = isGlobal(path);
    // The configuration folder may not exist yet on a first run.
    if (globalFile) QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    saveSettings(path, globalFile, global, options);
}

}  // namespace velmora
