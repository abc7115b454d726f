#include "sound/soundfont_locator.h"

#include <filesystem>
#include <system_error>

namespace velmora {

const std::vector<std::string>& defaultSoundfontPaths() {
    static const std::vector<std::string> paths = {
        "/usr/share/sounds/sf2/default-GM.sf2",        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",          "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf3/MuseScore_General.sf3", "/usr/share/sounds/sf3/FluidR3Mono_GM.sf3",
        "/usr/share/soundfonts/default.sf2",           "/usr/share/soundfonts/FluidR3_GM.sf2",
    };
    return paths;
}

std::string locateSoundfont(const std::string& configured) {
    if (!configured.empty()) return configured;
    for (const std::string& path : defaultSoundfontPaths()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) return path;
    }
    return {};
}

std::string missingSoundfontMessage() {
    return "no General MIDI soundfont found (looked in /usr/share/sounds/sf2 and sf3): install a General "
           "MIDI "
           "soundfont: apt install timgm6mb-soundfont, or name one with --soundfont";
}

}  // namespace velmora
