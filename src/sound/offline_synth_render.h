#pragma once

#include <cstdint>
#include <vector>

#include "sound/midi_file_timeline.h"

namespace velmora {

class FluidSynthInstance;

// A message of a MIDI file and the audio frame it falls on.
struct FramedMessage {
    std::int64_t frame;
    TimedFileMessage message;
};

// Renders timed messages through a synthesizer into 16-bit interleaved stereo,
// a piece at a time. Each message is applied before the 64-frame block that
// holds its frame (FluidSynth starts voices on those block boundaries), so the
// result does not depend on how the music is cut into pieces.
class OfflineSynthRender {
public:
    static constexpr int kChannels = 2;
    static constexpr std::int64_t kBlockFrames = 64;

    OfflineSynthRender(FluidSynthInstance& synth, std::vector<FramedMessage> messages, std::int64_t totalFrames);

    std::int64_t renderedFrames() const { return cursor_; }
    std::int64_t totalFrames() const { return totalFrames_; }
    bool finished() const { return cursor_ >= totalFrames_; }

    // Renders up to `frames` more frames into `out` (resized to what was rendered).
    void renderNext(std::int64_t frames, std::vector<std::int16_t>& out);

private:
    void render(std::int64_t frames, std::int16_t* out);

    FluidSynthInstance& synth_;
    std::vector<FramedMessage> messages_;
    std::int64_t totalFrames_;
    std::vector<float> left_;
    std::vector<float> right_;
    std::int64_t cursor_ = 0;
    std::size_t next_ = 0;
};

// A float sample as a 16-bit one, rounded to nearest and clipped.
inline std::int16_t toSample16(float value) {
    float scaled = value * 32767.0f;
    scaled = scaled < -32768.0f ? -32768.0f : (scaled > 32767.0f ? 32767.0f : scaled);
    return static_cast<std::int16_t>(scaled + (scaled >= 0.0f ? 0.5f : -0.5f));
}

}  // namespace velmora
