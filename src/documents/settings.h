#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/ini_file.h"
#include "options/performance_options.h"

namespace velmora {

// The recent documents the global settings file keeps.
inline constexpr std::size_t kRecentDocumentCount = 8;

// Where the window opens on a first run, before a settings file places it.
inline constexpr int kInitialWindowLeft = 321;
inline constexpr int kInitialWindowTop = 163;

// The preset dialog's six solo and six backing presets as items of the
// instrument lists, -1 for none.
struct PresetSelections {
    std::array<int, 6> solo{74, 69, 55, 40, 42, 108};
    std::array<int, 6> backing{0, 49, 24, 4, 45, 51};
};

// Where the performance sounds (rows 44-45 and 56-57, section [midi]): the
// output name ("fluidsynth", "port:NAME", "capture:FILE", "none"), the soundfont
// of the built-in synthesizer (empty: the first General MIDI soundfont the
// system has), and its sound server ("auto", "pulseaudio", "alsa", "jack") and
// buffer ("low", "standard", "safe"). Names the sound output does not know
// read as its defaults there.
struct OutputSettings {
    std::string output = "fluidsynth";
    std::string soundfont;
    std::string audioDriver = "auto";
    std::string audioBuffer = "standard";

    bool operator==(const OutputSettings&) const = default;
};

// What the global settings file holds besides the performance options (rows
// 1-14, 16 and 44-57; row 15 is an option too). The defaults are the window's
// initial position and the dialog's designed presets.
struct GlobalSettings {
    int left = kInitialWindowLeft;
    int top = kInitialWindowTop;
    PresetSelections presets;
    std::string latest;  // CurrentTextPath, written even when empty
    OutputSettings output;
    std::vector<std::string> recent;  // the recent documents, latest first, at most kRecentDocumentCount
    int width = 0;                    // the window's size; 0 where the designed size is kept
    int height = 0;
};

// Rows 1, 2, 16 and 44-57, which only the global settings file provides.
struct LoadedGlobalRows {
    int left = 0;
    int top = 0;
    std::string latest;  // the candidate path; taken only if a file exists there
    OutputSettings output;  // an empty output name reads as the default
    std::vector<std::string> recent;  // without empty entries
    int width = 0;                    // 0 when not stored
    int height = 0;
};

// The values a settings load assigns to the controls, each already limited the
// way its control limits it (read default for a missing or invalid key, then
// the spin range or list length). The window applies them to its controls in
// the option table's order; a program without a window uses applyConfigRows().
struct LoadedSettings {
    std::optional<LoadedGlobalRows> global;  // present when read as the global file
    // The options the file stores. The global-only ones (the repeat switch)
    // are read, and are to be applied, only when `global` is present.
    PerformanceOptions config;
    // Set by loadSettingsFile when the file's encoding is not read (UTF-16):
    // every row then has its read default.
    std::optional<std::string> encodingWarning;
};

// Reads rows 17-43, and rows 1, 2, 15, 16 and 44-57 when `isGlobal`.
LoadedSettings readSettings(const IniFile& ini, bool isGlobal);
// Reads the file at `path` (the caller has made sure it exists). Throws
// FileError with cannotOpenMessage(path) when it cannot be read.
LoadedSettings loadSettingsFile(const std::string& path, bool isGlobal);

// Rows 3-14, read by the preset dialog from the global settings file.
PresetSelections readPresetSelections(const IniFile& ini);

// Copies the options the load read into `options`: rows 17-43, and the
// repeat switch when global rows were read.
void applyConfigRows(const LoadedSettings& loaded, PerformanceOptions& options);

// Sets one option from a "key=value" pair given outside a settings file: the
// key is that of a performance row (rows 17-43, or "repeat"), matched without
// regard to case; the value is read as in a settings file, with the row's read
// default and limit. Returns an error text for an unknown key or a value the
// settings file would read as invalid (naming the key and the accepted form)
// and leaves `options` unchanged then.
[[nodiscard]] std::optional<std::string> applyConfigKey(std::string_view key, std::string_view value,
                                                        PerformanceOptions& options);

// Writes rows 1-16 and 44-57 (only when `isGlobal`) and rows 17-43 into the ini file at
// `path`, keeping everything else the file holds; the file is replaced as a
// whole or not at all. Throws FileError with cannotWriteMessage(path) on
// failure.
void saveSettings(const std::string& path, bool isGlobal, const GlobalSettings& global,
                  const PerformanceOptions& options);

// The same rows set into an ini model, for callers that keep the model.
void storeSettings(IniFile& ini, bool isGlobal, const GlobalSettings& global,
                   const PerformanceOptions& options);

}  // namespace velmora
