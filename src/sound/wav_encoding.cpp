#include "sound/wav_encoding.h"

namespace velmora {

namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string encodeWav(const std::vector<std::int16_t>& interleaved, int channels, int sampleRate) {
    constexpr int kBytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(interleaved.size() * kBytesPerSample);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);  // format chunk length
    putLittleEndian(out, 1, 2);   // PCM
    putLittleEndian(out, channels, 2);
    putLittleEndian(out, sampleRate, 4);
    putLittleEndian(out, sampleRate * channels * kBytesPerSample, 4);  // bytes per second
    putLittleEndian(out, channels * kBytesPerSample, 2);               // bytes per frame
    putLittleEndian(out, 8 * kBytesPerSample, 2);                      // bits per sample
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    std::size_t at = out.size();
    out.resize(at + dataBytes);
    for (std::int16_t sample : interleaved) {
        const auto bits = static_cast<std::uint16_t>(sample);
        out[at++] = static_cast<char>(bits & 0xFF);
        out[at++] = static_cast<char>(bits >> 8);
    }
    return out;
}

}  // namespace velmora
