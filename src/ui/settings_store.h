#pragma once

#include <optional>
#include <string>

#include "documents/settings.h"

namespace velmora {

// The settings files of the window: the global velmora.ini (window, presets,
// last document, output, and the controls) and each text's own file beside it.
class SettingsStore {
public:
    explicit SettingsStore(std::string globalPath) : globalPath_(std::move(globalPath)) {}

    const std::string& globalPath() const { return globalPath_; }
    bool isGlobal(const std::string& path) const { return path == globalPath_; }

    // The global file's values; nothing when it does not exist yet. Throws
    // FileError when it exists but cannot be read.
    std::optional<LoadedSettings> loadGlobal() const;
    // The settings file of the text at `textPath` read as its kind (a text's
    // file may be the global one); nothing when it does not exist.
    std::optional<LoadedSettings> loadForText(const std::string& textPath) const;

    // Writes the settings file of the text at `textPath`.
    void storeForText(const std::string& textPath, const GlobalSettings& global,
                      const PerformanceOptions& options) const;
    // Writes the global file, making its folder on a first run.
    void storeGlobal(const GlobalSettings& global, const PerformanceOptions& options) const;

private:
    void store(const std::string& path, const GlobalSettings& global, const PerformanceOptions& options) const;

    std::string globalPath_;
};

}  // namespace velmora
