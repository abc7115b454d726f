#include "sound/audio_choice.h"

#include <array>

namespace velmora {

namespace {

struct DriverRow {
    AudioDriver driver;
    std::string_view name;
};
constexpr std::array<DriverRow, 4> kDrivers{{{AudioDriver::Auto, "auto"},
                                             {AudioDriver::PulseAudio, "pulseaudio"},
                                             {AudioDriver::Alsa, "alsa"},
                                             {AudioDriver::Jack, "jack"}}};

// Sizes at 44.1 kHz, measured with bench/audio_underruns.sh (two minutes of
// play with two busy loops on two cores, PulseAudio): 512 x 4 (46 ms) ran dry
// 5 times, 1024 x 4 (93 ms) and 2048 x 4 (186 ms) never; fewer, longer
// periods did worse (1024 x 3: 37 times).
struct BufferRow {
    AudioBuffer buffer;
    std::string_view name;
    AudioBufferSize size;
};
constexpr std::array<BufferRow, 3> kBuffers{{{AudioBuffer::Low, "low", {512, 4}},
                                             {AudioBuffer::Standard, "standard", {1024, 4}},
                                             {AudioBuffer::Safe, "safe", {2048, 4}}}};

template <typename Rows>
std::string nameList(const Rows& rows) {
    std::string list;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) list += i + 1 == rows.size() ? " or " : ", ";
        list += rows[i].name;
    }
    return list;
}

}  // namespace

AudioBufferSize audioBufferSize(AudioBuffer buffer) {
    for (const BufferRow& row : kBuffers)
        if (row.buffer == buffer) return row.size;
    return kBuffers[1].size;
}

std::string_view audioDriverName(AudioDriver driver) {
    for (const DriverRow& row : kDrivers)
        if (row.driver == driver) return row.name;
    return kDrivers[0].name;
}

std::string_view audioBufferName(AudioBuffer buffer) {
    for (const BufferRow& row : kBuffers)
        if (row.buffer == buffer) return row.name;
    return kBuffers[1].name;
}

std::optional<AudioDriver> parseAudioDriver(std::string_view name) {
    for (const DriverRow& row : kDrivers)
        if (row.name == name) return row.driver;
    return std::nullopt;
}

std::optional<AudioBuffer> parseAudioBuffer(std::string_view name) {
    for (const BufferRow& row : kBuffers)
        if (row.name == name) return row.buffer;
    return std::nullopt;
}

AudioChoice audioChoiceFromNames(std::string_view driver, std::string_view buffer) {
    AudioChoice choice;
    choice.driver = parseAudioDriver(driver).value_or(choice.driver);
    choice.buffer = parseAudioBuffer(buffer).value_or(choice.buffer);
    return choice;
}

const std::vector<AudioDriver>& audioDrivers() {
    static const std::vector<AudioDriver> drivers = [] {
        std::vector<AudioDriver> all;
        for (const DriverRow& row : kDrivers) all.push_back(row.driver);
        return all;
    }();
    return drivers;
}

const std::vector<AudioBuffer>& audioBuffers() {
    static const std::vector<AudioBuffer> buffers = [] {
        std::vector<AudioBuffer> all;
        for (const BufferRow& row : kBuffers) all.push_back(row.buffer);
        return all;
    }();
    return buffers;
}

std::string audioDriverNameList() { return nameList(kDrivers); }
std::string audioBufferNameList() { return nameList(kBuffers); }

}  // namespace velmora
