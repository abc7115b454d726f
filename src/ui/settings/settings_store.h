#pragma once

#include <optional>
#include <string>
#include <vector>

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
    // What a text's settings file gave.
    struct TextSettings {
        std::optional<LoadedSettings> loaded;  // nothing when the file does not exist or is foreign
        bool foreign = false;                  // another program's file: neither read nor written
    };
    // Reads the settings file beside the text at `textPath` as its kind (a
    // text's file may be the global one), and remembers whether it is ours to
    // write. A file that holds none of the performance keys in [config]
    // belongs to another program.
    TextSettings loadForText(const std::string& textPath);

    // Writes the settings file of the text at `textPath`, unless it is another
    // program's file.
    void storeForText(const std::string& textPath, const GlobalSettings& global,
                      const PerformanceOptions& options) const;
    // Writes the global file, making its folder on a first run.
    void storeGlobal(const GlobalSettings& global, const PerformanceOptions& options) const;

    // The documents of the recent-files menu, latest first.
    const std::vector<std::string>& recent() const { return recent_; }
    void setRecent(std::vector<std::string> paths);
    // Puts `path` first, dropping an older mention and the oldest beyond the limit.
    void noteOpened(const std::string& path);

private:
    void store(const std::string& path, const GlobalSettings& global, const PerformanceOptions& options) const;

    std::string globalPath_;
    std::string foreignFile_;
    std::vector<std::string> recent_;  // the settings file last found to be another program's
};

}  // namespace velmora
