#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

struct WavRenderResult {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Failed;
    std::string error;          // why it failed, for the user
    double musicSeconds = 0.0;  // length of the rendered audio, tail included
    std::string englishError;   // the failure for the command line, when `error` is the window's Japanese
};

inline constexpr int kWavSampleRate = 44100;
inline constexpr double kReleaseTailSeconds = 2.0;

// Renders a Standard MIDI File through the General MIDI synthesizer into a
// 44.1 kHz 16-bit stereo WAV file at `path`, as fast as the machine allows.
// Each event is applied in the 64-frame block that holds its time (FluidSynth
// starts voices on those block boundaries). A tail of kReleaseTailSeconds
// after the last event lets the final notes ring out. `progress` gets values
// from 0 to 1; setting `cancel` stops the render. The file appears only
// complete: on cancel or failure nothing is written and an existing file at
// `path` is left as it was. `soundfont` empty: the default General MIDI one.
WavRenderResult renderWav(const std::vector<std::uint8_t>& smfBytes, const std::string& path,
                          const std::string& soundfont, const std::function<void(double)>& progress = nullptr,
                          const std::atomic<bool>* cancel = nullptr);

}  // namespace velmora
