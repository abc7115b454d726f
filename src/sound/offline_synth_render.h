#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "smf/midi_file_timeline.h"

namespace velmora {

class FluidSynthInstance;

// A message of a MIDI file and the audio frame it falls on.
struct FramedMessage {
    std::int64_t frame;
    TimedFileMessage message;
};

// The synthesizer a file is rendered with: every core renders voices (offline
// there is no deadline to share the processor with), and the gain is twice
// FluidSynth's default, since a file has no volume control of its own. Null
// with `error` set when the soundfont cannot be loaded.
std::unique_ptr<FluidSynthInstance> createOfflineSynth(const std::string& soundfont, std::string& error);

// A piece of rendered stereo audio.
struct StereoChunk {
    std::vector<float> left;
    std::vector<float> right;
    std::int64_t frames() const { return static_cast<std::int64_t>(left.size()); }
};

// Renders timed messages through a synthesizer, a piece at a time. Each message is applied before the 64-frame block that
// holds its frame (FluidSynth starts voices on those block boundaries), so the
// result does not depend on how the music is cut into pieces.
class OfflineSynthRender {
public:
    static constexpr int kChannels = 2;
    static constexpr std::int64_t kBlockFrames = 64;

    OfflineSynthRender(FluidSynthInstance& synth, std::vector<FramedMessage> messages, std::int64_t totalFrames);

    std::int64_t totalFrames() const { return totalFrames_; }
    bool finished() const { return cursor_ >= totalFrames_; }

    // Renders up to `frames` more frames into `out` (resized to what was rendered).
    void renderNext(std::int64_t frames, StereoChunk& out);

    FluidSynthInstance& synth_;
    std::vector<FramedMessage> messages_;
    std::int64_t totalFrames_;
    std::int64_t cursor_ = 0;
    std::size_t next_ = 0;
};

// The chunk as interleaved 16-bit samples, rounded to nearest and clipped.
void toInterleaved16(const StereoChunk& chunk, std::vector<std::int16_t>& out);

}  // namespace velmora
