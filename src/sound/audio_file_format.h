#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The sound-file formats the renderer writes, all through libsndfile.
enum class AudioFileFormat { Wav, Flac, OggVorbis, Mp3 };

struct AudioFileFormatInfo {
    AudioFileFormat format;
    const char* name;          // for messages: "WAV", "FLAC", ...
    const char* extension;     // with the dot, lower case: ".wav"
    const char* dialogFilter;  // a save dialog's filter line: "WAV (*.wav)"
    int sndfileFormat;         // SF_FORMAT_* major | subtype
};

// Every format, WAV first (the default).
const std::vector<AudioFileFormatInfo>& audioFileFormats();
const AudioFileFormatInfo& audioFileFormatInfo(AudioFileFormat format);

// The format a file name's extension names (case does not matter; ".oga" is
// Ogg Vorbis too); none for another or no extension.
std::optional<AudioFileFormat> audioFileFormatForPath(const std::string& path);
// The format whose dialogFilter is `filter`; none for another text.
std::optional<AudioFileFormat> audioFileFormatForFilter(const std::string& filter);

// The extensions, for messages: ".wav, .flac, .ogg, .mp3".
std::string audioFileExtensionList();

}  // namespace velmora
