#include "sound/audio_file_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace velmora {

const std::vector<AudioFileFormatInfo>& audioFileFormats() {
    static const std::vector<AudioFileFormatInfo> formats = {
        {AudioFileFormat::Wav, "WAV", ".wav", "WAV (*.wav)", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {AudioFileFormat::Flac, "FLAC", ".flac", "FLAC (*.flac)", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {AudioFileFormat::OggVorbis, "Ogg Vorbis", ".ogg", "Ogg Vorbis (*.ogg *.oga)",
         SF_FORMAT_OGG | SF_FORMAT_VORBIS},
        {AudioFileFormat::Mp3, "MP3", ".mp3", "MP3 (*.mp3)", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
    };
    return formats;
}

const AudioFileFormatInfo& audioFileFormatInfo(AudioFileFormat format) {
    for (const AudioFileFormatInfo& info : audioFileFormats()) {
        if (info.format == format) return info;
    }
    return audioFileFormats().front();
}

std::optional<AudioFileFormat> audioFileFormatForPath(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".oga") return AudioFileFormat::OggVorbis;
    for (const AudioFileFormatInfo& info : audioFileFormats()) {
        if (extension == info.extension) return info.format;
    }
    return std::nullopt;
}

std::optional<AudioFileFormat> audioFileFormatForFilter(const std::string& filter) {
    for (const AudioFileFormatInfo& info : audioFileFormats()) {
        if (filter == info.dialogFilter) return info.format;
    }
    return std::nullopt;
}

std::string audioFileExtensionList() {
    std::string list;
    for (const AudioFileFormatInfo& info : audioFileFormats()) {
        list += (list.empty() ? "" : ", ") + std::string(info.extension);
    }
    return list;
}

}  // namespace velmora
