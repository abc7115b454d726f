#include "sound/audio_file_writer.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "documents/file_error.h"

namespace velmora {

namespace {

// Written-back data is pushed to the disk every so often while rendering, so
// the final flush does not stall on the whole file.
constexpr std::int64_t kWriteBackFrames = 8 * 1024 * 1024 / (2 * AudioFileWriter::kChannels);

bool isPipe(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode));
}

// libsndfile's reason as a clause of our messages, without its closing full stop.
std::string sndfileReason(const char* reason) {
    std::string text = reason != nullptr ? reason : "";
    while (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

void put32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// libsndfile cannot write WAV into a pipe, since it goes back to fill in the
// lengths at the end. Into a pipe the header says "as long as the stream
// goes" (the largest lengths), as streaming tools do, and raw samples follow.
void writeStreamingWavHeader(int fd, int sampleRate, const std::string& path) {
    unsigned char header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                16,  0,   0,   0,   1, 0, 2, 0, 0,   0,   0,   0,   0,   0,   0,   0,
                                4,   0,   16,  0,   'd', 'a', 't', 'a', 0, 0, 0, 0};
    put32(header + 4, 0xFFFFFFFFu);
    put32(header + 24, static_cast<std::uint32_t>(sampleRate));
    put32(header + 28, static_cast<std::uint32_t>(sampleRate) * 4);
    put32(header + 40, 0xFFFFFFFFu - 36);
    if (::write(fd, header, sizeof header) != static_cast<ssize_t>(sizeof header)) {
        throw FileError::writing(path, std::strerror(errno));
    }
}

}  // namespace

AudioFileWriter::AudioFileWriter(const std::string& path, AudioFileFormat format, int sampleRate,
                                 const std::string& title)
    : path_(path), output_(path) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = kChannels;
    info.format = audioFileFormatInfo(format).sndfileFormat;
    if (format == AudioFileFormat::Wav && isPipe(output_.fd())) {
        writeStreamingWavHeader(output_.fd(), sampleRate, path);
        info.format = SF_FORMAT_RAW | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE;
    }
    file_ = sf_open_fd(output_.fd(), SFM_WRITE, &info, SF_FALSE);
    if (!file_) {
        const std::string formatName = audioFileFormatInfo(format).name;
        throw FileError::writing(path, formatName + ": " + sndfileReason(sf_strerror(nullptr)));
    }
    // Tags must be set before the first samples (Ogg and MP3 write them first).
    if (!title.empty()) sf_set_string(file_, SF_STR_TITLE, title.c_str());
}

AudioFileWriter::~AudioFileWriter() {
    if (file_) sf_close(file_);
}

void AudioFileWriter::write(const std::int16_t* interleaved, std::int64_t frames) {
    if (sf_writef_short(file_, interleaved, frames) != frames) {
        throw FileError::writing(path_, sndfileReason(sf_strerror(file_)));
    }
    sinceWriteBack_ += frames;
    if (sinceWriteBack_ >= kWriteBackFrames) {
        sinceWriteBack_ = 0;
        failIfTemporaryFileRemoved();
        output_.startDescriptorWriteBack();
    }
}

// A temporary file removed with its folder would otherwise take the whole
// music, out of sight on the disk, before the final rename fails.
void AudioFileWriter::failIfTemporaryFileRemoved() const {
    struct stat info {};
    if (output_.replacesTarget() && ::fstat(output_.fd(), &info) == 0 && info.st_nlink == 0)
        throw FileError::creating(path_, "the file being written was removed, with its folder or alone");
}

void AudioFileWriter::commit() {
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0) throw FileError::writing(path_, sndfileReason(sf_error_number(closed)));
    output_.commit();
}

}  // namespace velmora
