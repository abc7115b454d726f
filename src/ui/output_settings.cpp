#include "ui/output_settings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "documents/atomic_file.h"
#include "documents/file_error.h"
#include "documents/file_read.h"
#include "documents/ini_file.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/midi_backend_factory.h"
#endif

namespace velmora {

namespace {
constexpr const char* kSection = "midi";
}

OutputSettings readOutputSettings(const std::string& path) {
    OutputSettings settings;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return settings;
    try {
        const IniFile ini = IniFile::parse(readFileBytes(path));
        if (auto output = ini.get(kSection, "output"); output && !output->empty()) settings.output = *output;
        if (auto soundfont = ini.get(kSection, "soundfont")) settings.soundfont = *soundfont;
    } catch (const FileError&) {
        // An unreadable file was reported by the settings load already.
    }
    return settings;
}

void storeOutputSettings(const std::string& path, const OutputSettings& settings) {
    try {
        std::error_code error;
        IniFile ini = std::filesystem::exists(path, error) ? IniFile::parse(readFileBytes(path)) : IniFile();
        ini.set(kSection, "output", settings.output);
        ini.set(kSection, "soundfont", settings.soundfont);
        writeFileAtomically(path, ini.serialize());
    } catch (const FileError& error) {
        throw FileError::writing(path, error.detail());
    }
}

OutputChoice makeOutput(const OutputSettings& settings) {
#ifdef VELMORA_HAVE_SOUND
    MidiBackendChoice choice = createMidiBackend(settings.output, settings.soundfont);
    return {std::move(choice.backend), std::move(choice.error)};
#else
    if (settings.output == "none") return {std::make_unique<NullBackend>(), {}};
    return {nullptr, "this build has no sound output; choose \"none\""};
#endif
}

bool isSoundfontFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".sf2" || extension == ".sf3";
}

}  // namespace velmora
