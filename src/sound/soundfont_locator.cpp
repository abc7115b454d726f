#include "sound/soundfont_locator.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
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

std::string soundfontFileProblem(const std::string& path) {
    namespace fs = std::filesystem;
    const std::string advice = ": name a .sf2 or .sf3 file with --soundfont";
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        return "soundfont " + path + " does not exist" + advice +
               ", or install a General MIDI soundfont: apt install timgm6mb-soundfont";
    }
    if (error) return "cannot read soundfont " + path + ": " + error.message() + advice;
    if (status.type() == fs::file_type::directory) return "soundfont " + path + " is a folder, not a file" + advice;
    if (status.type() != fs::file_type::regular) {
        return "soundfont " + path + " is a device or other special file, not a soundfont" + advice;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return "cannot read soundfont " + path + ": " + std::strerror(errno) + advice;
    char header[12] = {};
    in.read(header, sizeof header);
    if (in.gcount() != sizeof header || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "sfbk", 4) != 0) {
        return path + " is not a SoundFont file" + advice;
    }
    return {};
}

}  // namespace velmora
