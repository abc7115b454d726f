#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "sound/audio_file_format.h"
#include "documents/safe_file_writer.h"

typedef struct sf_private_tag SNDFILE;

namespace velmora {

// Encodes 16-bit stereo frames into a sound file through libsndfile, streaming:
// each write goes to the file (through SafeFileWriter: a temporary one beside
// a regular target, a device or pipe directly), so memory does not grow with
// the music's length.
// Failures throw FileError (the window's text, the English one and the reason).
class AudioFileWriter {
public:
    static constexpr int kChannels = 2;

    // `title` (may be empty) becomes the file's title tag.
    AudioFileWriter(const std::string& path, AudioFileFormat format, int sampleRate, const std::string& title);
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    void write(const std::int16_t* interleaved, std::int64_t frames);
    // Finishes the encoding and puts the file at its path.
    void commit();

private:
    void failIfTemporaryFileRemoved() const;

    std::string path_;
    SafeFileWriter output_;
    SNDFILE* file_ = nullptr;
    std::int64_t sinceWriteBack_ = 0;
};

}  // namespace velmora
