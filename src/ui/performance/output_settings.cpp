#include "ui/performance/output_settings.h"

#include <QFile>
#include <algorithm>
#include <cctype>
#include <filesystem>

#ifdef VELMORA_HAVE_SOUND
#include "sound/midi_backend_factory.h"
#endif

namespace velmora {

OutputChoice makeOutput(const OutputSettings& settings) {
#ifdef VELMORA_HAVE_SOUND
    MidiBackendChoice choice =
        createMidiBackend(settings.output, settings.soundfont,
                          audioChoiceFromNames(settings.audioDriver, settings.audioBuffer));
    return {std::move(choice.backend), std::move(choice.error)};
#else
    if (settings.output == "none") return {std::make_unique<NullBackend>(), {}};
    return {nullptr, "this build has no sound output; choose \"none\""};
#endif
}

bool isSoundfontData(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "sfbk";
}

bool isSoundfontFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".sf2" || extension == ".sf3";
}

}  // namespace velmora
