#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "documents/file_error.h"
#include "documents/safe_file_writer.h"
#include "sound/audio_file_format.h"

typedef struct sf_private_tag SNDFILE;

namespace velmora {

struct StereoChunk;

// Encodes stereo audio into a sound file through libsndfile, streaming: every
// byte the encoder writes goes through the SafeFileWriter (a temporary file
// beside a regular target, a device or pipe directly), so memory does not
// grow with the music's length and every write is checked.
// - WAV and FLAC hold 16-bit samples, rounded to nearest and clipped; Ogg
//   Vorbis and MP3 are encoded from the float samples themselves.
// - Into an output that cannot go back (a pipe, a device, a file the standard
//   output appends to) the WAV header says "as long as the stream goes" and
//   the encoders' closing rewrites of their headers are left out: the stream
//   is whole without them.
// Failures throw FileError with the file's name and the system's reason.
class AudioFileWriter {
public:
    static constexpr int kChannels = 2;

    // `title` (may be empty) becomes the file's title tag.
    AudioFileWriter(const std::string& path, AudioFileFormat format, int sampleRate, const std::string& title);
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    void write(const StereoChunk& chunk);
    // Finishes the encoding and puts the file at its path.
    void commit();

    // libsndfile's view of the output (SF_VIRTUAL_IO).
    struct Output {
        SafeFileWriter file;
        std::uint64_t position = 0;
        std::optional<FileError> failure;  // the first write that failed
    };

private:
    [[noreturn]] void fail(const char* sndfileReason);

    std::string path_;
    AudioFileFormat format_;
    Output output_;
    SNDFILE* file_ = nullptr;
    std::vector<std::int16_t> shorts_;
    std::vector<float> floats_;
};

}  // namespace velmora
