#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "documents/file_error.h"
#include "sound/audio_file_format.h"

namespace velmora {

struct AudioRenderResult {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Failed;
    std::string error;          // why it failed, in English
    double musicSeconds = 0.0;  // length of the rendered audio, tail included
    std::optional<FileError> fileError;  // when the file could not be written
};

inline constexpr int kRenderSampleRate = 44100;
inline constexpr double kReleaseTailSeconds = 2.0;
// The failure of a WAV export whose music would pass the format's 4 GiB.
inline constexpr const char* kWavTooLongMessage =
    "the music lasts too long for a WAV file: choose FLAC, Ogg Vorbis or MP3";

struct AudioRenderRequest {
    std::vector<std::uint8_t> smfBytes;  // the Standard MIDI File to perform
    std::string path;
    AudioFileFormat format = AudioFileFormat::Wav;
    std::string soundfont;  // empty: the default General MIDI one
    std::string title;      // the file's title tag; empty: none
};

// Renders a Standard MIDI File through the General MIDI synthesizer into a
// 44.1 kHz stereo sound file (16-bit for WAV and FLAC), as fast as the machine
// allows. A tail of kReleaseTailSeconds after the last event lets the final
// notes ring out. The audio streams to a temporary file beside the target, so
// memory stays the same however long the music is; the file appears only
// complete: on cancel or failure nothing is left and an existing file at the
// path is as it was. `progress` gets values from 0 to 1, from the calling
// thread; setting `cancel` stops the render. Never throws.
AudioRenderResult renderAudioFile(const AudioRenderRequest& request,
                                  const std::function<void(double)>& progress = nullptr,
                                  const std::atomic<bool>* cancel = nullptr) noexcept;

}  // namespace velmora
