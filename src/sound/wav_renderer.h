#pragma once

#include "sound/audio_file_renderer.h"

namespace velmora {

using WavRenderResult = AudioRenderResult;

// renderAudioFile() into a 16-bit WAV file, whatever the path's extension.
inline WavRenderResult renderWav(const std::vector<std::uint8_t>& smfBytes, const std::string& path,
                                 const std::string& soundfont,
                                 const std::function<void(double)>& progress = nullptr,
                                 const std::atomic<bool>* cancel = nullptr) {
    return renderAudioFile({smfBytes, path, AudioFileFormat::Wav, soundfont, {}}, progress, cancel);
}

}  // namespace velmora
