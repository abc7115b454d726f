#include "sound/audio_file_writer.h"

#include <sndfile.h>

#include <stdexcept>

namespace velmora {

namespace {

// Written-back data is pushed to the disk every so often while rendering, so
// the final flush does not stall on the whole file.
constexpr std::int64_t kWriteBackFrames = 8 * 1024 * 1024 / (2 * AudioFileWriter::kChannels);

}  // namespace

AudioFileWriter::AudioFileWriter(const std::string& path, AudioFileFormat format, int sampleRate,
                                 const std::string& title)
    : path_(path), output_(path) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = kChannels;
    info.format = audioFileFormatInfo(format).sndfileFormat;
    file_ = sf_open_fd(output_.fd(), SFM_WRITE, &info, SF_FALSE);
    if (!file_) {
        throw AudioFileError("cannot write " + std::string(audioFileFormatInfo(format).name) + " to " + path +
                             ": " + sf_strerror(nullptr));
    }
    // Tags must be set before the first samples (Ogg and MP3 write them first).
    if (!title.empty()) sf_set_string(file_, SF_STR_TITLE, title.c_str());
}

AudioFileWriter::~AudioFileWriter() {
    if (file_) sf_close(file_);
}

void AudioFileWriter::write(const std::int16_t* interleaved, std::int64_t frames) {
    if (sf_writef_short(file_, interleaved, frames) != frames) {
        throw AudioFileError("cannot write " + path_ + ": " + sf_strerror(file_));
    }
    sinceWriteBack_ += frames;
    if (sinceWriteBack_ >= kWriteBackFrames) {
        sinceWriteBack_ = 0;
        output_.startWriteBack();
    }
}

void AudioFileWriter::commit() {
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0) throw AudioFileError("cannot write " + path_ + ": " + sf_error_number(closed));
    output_.commit();
}

}  // namespace velmora
