#include "sound/audio_file_writer.h"

#include <sndfile.h>

#include "sound/offline_synth_render.h"

namespace velmora {

namespace {

using Output = AudioFileWriter::Output;

Output& outputOf(void* user) { return *static_cast<Output*>(user); }

sf_count_t outputLength(void* user) { return static_cast<sf_count_t>(outputOf(user).file.size()); }

sf_count_t outputSeek(sf_count_t offset, int whence, void* user) {
    Output& output = outputOf(user);
    const sf_count_t base = whence == SEEK_CUR   ? static_cast<sf_count_t>(output.position)
                            : whence == SEEK_END ? static_cast<sf_count_t>(output.file.size())
                                                 : 0;
    if (base + offset < 0) return -1;
    output.position = static_cast<std::uint64_t>(base + offset);
    return base + offset;
}

sf_count_t outputTell(void* user) { return static_cast<sf_count_t>(outputOf(user).position); }

sf_count_t outputRead(void*, sf_count_t, void*) { return 0; }

sf_count_t outputWrite(const void* data, sf_count_t count, void* user) {
    Output& output = outputOf(user);
    if (output.failure) return 0;
    const auto size = static_cast<std::size_t>(count);
    try {
        if (output.position == output.file.size()) {
            output.file.write(data, size);
        } else if (output.file.canSeek()) {
            output.file.writeAt(output.position, data, size);
        }
        // Else a header rewritten at the end of a stream, which cannot go
        // back: the stream stays whole without it (FLAC and MP3 state their
        // lengths as unknown), and appended it would be stray bytes.
    } catch (const FileError& error) {
        output.failure = error;
        return 0;
    }
    output.position += size;
    return count;
}

SF_VIRTUAL_IO virtualOutput = {outputLength, outputSeek, outputRead, outputWrite, outputTell};

// libsndfile's reason as a clause of our messages, without its closing full stop.
std::string sndfileReason(const char* reason) {
    std::string text = reason != nullptr ? reason : "";
    while (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

void put32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// A WAV header whose lengths say "as long as the stream goes" (the largest
// ones), as streaming tools write it; raw samples follow.
void writeStreamingWavHeader(SafeFileWriter& out, int sampleRate) {
    unsigned char header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                16,  0,   0,   0,   1, 0, 2, 0, 0,   0,   0,   0,   0,   0,   0,   0,
                                4,   0,   16,  0,   'd', 'a', 't', 'a', 0, 0, 0, 0};
    put32(header + 4, 0xFFFFFFFFu);
    put32(header + 24, static_cast<std::uint32_t>(sampleRate));
    put32(header + 28, static_cast<std::uint32_t>(sampleRate) * 4);
    put32(header + 40, 0xFFFFFFFFu - 36);
    out.write(header, sizeof header);
}

// The lossy encoders take float samples: libsndfile's MP3 encoder garbles
// 16-bit stereo input (it takes a sample count for a byte count).
bool encodesFloat(AudioFileFormat format) {
    return format == AudioFileFormat::OggVorbis || format == AudioFileFormat::Mp3;
}

}  // namespace

AudioFileWriter::AudioFileWriter(const std::string& path, AudioFileFormat format, int sampleRate,
                                 const std::string& title)
    : path_(path), format_(format) {
    output_.file.open(path);
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = kChannels;
    info.format = audioFileFormatInfo(format).sndfileFormat;
    if (format == AudioFileFormat::Wav && !output_.file.canSeek()) {
        writeStreamingWavHeader(output_.file, sampleRate);
        output_.position = output_.file.size();
        info.format = SF_FORMAT_RAW | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE;
    }
    file_ = sf_open_virtual(&virtualOutput, SFM_WRITE, &info, &output_);
    if (!file_) fail(sf_strerror(nullptr));
    // Tags must be set before the first samples (Ogg and MP3 write them first).
    if (!title.empty()) sf_set_string(file_, SF_STR_TITLE, title.c_str());
}

AudioFileWriter::~AudioFileWriter() {
    if (file_) sf_close(file_);
}

void AudioFileWriter::fail(const char* reason) {
    if (output_.failure) throw *output_.failure;
    output_.file.abandon();
    throw FileError::creating(path_, audioFileFormatInfo(format_).name + std::string(": ") + sndfileReason(reason));
}

void AudioFileWriter::write(const StereoChunk& chunk) {
    const sf_count_t frames = chunk.frames();
    sf_count_t written = 0;
    if (encodesFloat(format_)) {
        floats_.resize(chunk.left.size() * kChannels);
        for (std::size_t i = 0; i < chunk.left.size(); ++i) {
            floats_[2 * i] = chunk.left[i];
            floats_[2 * i + 1] = chunk.right[i];
        }
        written = sf_writef_float(file_, floats_.data(), frames);
    } else {
        toInterleaved16(chunk, shorts_);
        written = sf_writef_short(file_, shorts_.data(), frames);
    }
    if (written != frames || output_.failure) fail(sf_strerror(file_));
}

void AudioFileWriter::commit() {
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0 || output_.failure) fail(sf_error_number(closed));
    output_.file.commit();
}

}  // namespace velmora
