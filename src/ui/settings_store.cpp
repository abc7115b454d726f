#include "ui/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "documents/document_paths.h"

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

}  // namespace

std::optional<LoadedSettings> SettingsStore::loadGlobal() const {
    if (!isFile(globalPath_)) return std::nullopt;
    return loadSettingsFile(globalPath_, true);
}

std::optional<LoadedSettings> SettingsStore::loadForText(const std::string& textPath) const {
    const std::string path = textSettingsPath(textPath);
    if (!exists(path)) return std::nullopt;
    return loadSettingsFile(path, isGlobal(path));
}

void SettingsStore::storeForText(const std::string& textPath, const GlobalSettings& global,
                                 const PerformanceOptions& options) const {
    store(textSettingsPath(textPath), global, options);
}

void SettingsStore::storeGlobal(const GlobalSettings& global, const PerformanceOptions& options) const {
    store(globalPath_, global, options);
}

void SettingsStore::store(const std::string& path, const GlobalSettings& global,
                          const PerformanceOptions& options) const {
    const bool globalFile = isGlobal(path);
    // The configuration folder may not exist yet on a first run.
    if (globalFile) QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    SaveSettings(path, globalFile, global, options);
}

}  // namespace velmora
