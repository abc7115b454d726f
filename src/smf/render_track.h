#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/performance_state.h"
#include "mapping/random_source.h"
#include "options/performance_options.h"
#include "smf/smf_writer.h"

namespace velmora {

// Told of each note the renderer writes, with where it stands: the steps
// written before it in this track and the engine offset of the character
// being rendered. A velocity of 0 is a note-off.
class RenderObserver {
public:
    virtual ~RenderObserver() = default;
    virtual void noteWritten(SmfTrack track, std::int32_t step, std::uint8_t note, std::uint8_t velocity,
                             std::int32_t memoOffset) = 0;
    // The track is written: its music lasts `steps` steps.
    virtual void trackFinished(SmfTrack /*track*/, std::int32_t /*steps*/) {}
};

// Lyric events (FF 05) in the melody track, one at each note-on with the
// character that made the note: none (the default file), or the character in
// UTF-8 or in the text's own CP932 (Shift-JIS).
enum class MidiLyrics { Off, Utf8, Cp932 };

struct RenderContext {
    const PerformanceOptions& options;
    PerformanceState& state;                 // the export's own working state
    std::vector<std::uint8_t>& melodyRecord;  // the melody's pass fills it, the chords' reads it
    RandomSource& rng;
    RenderObserver* observer = nullptr;  // the piano roll's, when it wants the notes
    MidiLyrics lyrics = MidiLyrics::Off;
    const std::vector<std::string>* lyricLines = nullptr;  // the characters lyrics show
};

// Writes the note events of one music track, the melody (channel 0) or the
// chords (channel 1), walking the whole text by the tick's rules. The melody
// is rendered first: the chords sit on the notes it recorded. The caller has
// reset the working state and the accumulators for the pass.
void renderTrack(SmfWriter& writer, SmfTrack track, RenderContext& context);

}  // namespace velmora
