#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "roll/roll_model.h"
#include "smf/render_track.h"

namespace velmora {

// The export's notes for a roll of any length: paired as RollBuilder pairs
// them, but each note is put into a scratch file when it ends instead of
// being kept, and read back for one stretch of steps at a time. Memory holds
// the notes of one stretch, however long the music is.
class RollNoteStream final : public RenderObserver {
public:
    // The scratch files are made in `scratchFolder` (unnamed: nothing is left
    // behind); `target` names the picture in messages. Throws FileError.
    RollNoteStream(std::int32_t meterKind, int nameBase, const std::string& scratchFolder,
                   const std::string& target);
    ~RollNoteStream() override;

    void noteWritten(SmfTrack track, std::int32_t step, std::uint8_t note, std::uint8_t velocity,
                     std::int32_t memoOffset) override;
    // Ends what still sounds; summary() is complete from then on.
    void finish();
    // The range, length, metre and longest note of the music, without notes.
    const RollModel& summary() const { return summary_; }
    // The notes that may show in the steps firstStep..lastStep, as a model
    // sorted by start. Stretches are asked for in order (left to right).
    RollModel notesFor(std::int32_t firstStep, std::int32_t lastStep);

    class Scratch;

private:
    struct Voice {
        std::array<std::int32_t, 128> openStart;  // the start of the note sounding at each pitch, or -1
        std::unique_ptr<Scratch> ended;           // notes in the order they ended
        std::vector<RollNote> carried;            // read back and still needed
    };

    void start(RollVoice voice, std::int32_t step, std::uint8_t pitch);
    void end(RollVoice voice, std::int32_t step, std::uint8_t pitch);

    RollModel summary_;
    std::array<Voice, 2> voices_;
    std::int32_t lastStep_ = 0;
    bool anyNote_ = false;
};

}  // namespace velmora
